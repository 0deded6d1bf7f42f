#include "common/userwarning.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

namespace {

struct WarningState
{
    QPointer<QMessageBox> box;
    QStringList waiting;
    QSet<QString> shownKinds;
    int boxesShown = -1; // -1: decided by the platform
};

WarningState &state()
{
    static WarningState warnings;
    return warnings;
}

bool boxesShown()
{
    const WarningState &warnings = state();
    if (warnings.boxesShown >= 0)
        return warnings.boxesShown == 1 && qobject_cast<QApplication *>(QCoreApplication::instance());
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal" && qobject_cast<QApplication *>(QCoreApplication::instance());
}

void showNext()
{
    WarningState &warnings = state();
    if (warnings.box || warnings.waiting.isEmpty())
        return;
    // Not modal: a box that runs its own event loop lets the next failure open another box inside it.
    // While a modal dialog is open, every other window is blocked: the box belongs to the dialog
    // then, so that it stays above it and can be answered.
    auto *box = new QMessageBox(QMessageBox::Warning, "Kestovan", warnings.waiting.takeFirst(), QMessageBox::Ok,
                                QApplication::activeModalWidget());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QMessageBox::finished, box, [] {
        state().box = nullptr;
        QTimer::singleShot(0, qApp, showNext);
    });
    // Gone with its dialog, unanswered.
    QObject::connect(box, &QObject::destroyed, qApp, [] { QTimer::singleShot(0, qApp, showNext); });
    warnings.box = box;
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace

void showUserWarning(const QString &text)
{
    qWarning().noquote() << text;
    if (!boxesShown())
        return;
    WarningState &warnings = state();
    if ((warnings.box && warnings.box->text() == text) || warnings.waiting.contains(text))
        return;
    warnings.waiting.append(text);
    showNext();
}

void showUserWarningOnce(const QString &kind, const QString &text)
{
    if (state().shownKinds.contains(kind)) {
        qWarning().noquote() << text;
        return;
    }
    state().shownKinds.insert(kind);
    showUserWarning(text);
}

void clearUserWarning(const QString &kind)
{
    state().shownKinds.remove(kind);
}

namespace UserWarning {

void setBoxesShown(bool shown)
{
    state().boxesShown = shown ? 1 : 0;
}

QMessageBox *currentBox()
{
    return state().box;
}

} // namespace UserWarning
