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
