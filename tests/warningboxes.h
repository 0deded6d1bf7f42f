#pragma once

// The warning boxes the program has open, for tests that check what the user is told.

#include "common/userwarning.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>

inline QList<QMessageBox *> openWarningBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible())
            boxes.append(box);
    }
    return boxes;
}

// Closes the open box as the user would, and lets the next one come.
inline void answerWarningBox()
{
    if (QMessageBox *box = UserWarning::currentBox())
        box->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Shows warning boxes, also on the offscreen platform, while it lives; closes what is left open.
class WarningBoxesShown
{
public:
    WarningBoxesShown() { UserWarning::setBoxesShown(true); }
    ~WarningBoxesShown()
    {
        for (int n = 0; n < 20 && UserWarning::currentBox(); ++n)
            answerWarningBox();
        UserWarning::setBoxesShown(false);
    }
};
