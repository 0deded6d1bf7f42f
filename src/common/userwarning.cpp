#include "common/userwarning.h"

#include <QDebug>
#include <QApplication>
#include <QMessageBox>

void showUserWarning(const QString &text)
{
    qWarning().noquote() << text;
    const QString platform = QGuiApplication::platformName();
    if (platform == "offscreen" || platform == "minimal" || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    QMessageBox::warning(nullptr, "Kestovan", text, QMessageBox::Ok);
}
