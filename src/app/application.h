#pragma once

#include "settings/programwindows.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>

class MainWindow;
class Monitor;

class Application : public QApplication, public QAbstractNativeEventFilter, public ProgramWindows
{
    Q_OBJECT
    Q_INTERFACES(ProgramWindows)

public:
    Application(int &argc, char **argv);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    // Hides an unpinned history window when the program loses the focus, and hands mouse moves
    // over the frameless windows' children to their edge cursors.
    bool notify(QObject *receiver, QEvent *event) override;

    void applyThemeToWindows() override;
    void showMonitor() override;

    // Set by main once the windows exist; the settings dialog reaches both through ProgramWindows.
    MainWindow *mainWindow = nullptr;
    Monitor *monitorWindow = nullptr;

signals:
    void powerResume();
};
