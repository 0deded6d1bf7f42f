#pragma once

#include "settings/programwindows.h"

#include <QApplication>

class MainWindow;
class Monitor;

class Application : public QApplication, public ProgramWindows
{
    Q_OBJECT
    Q_INTERFACES(ProgramWindows)

public:
    Application(int &argc, char **argv);

    // Hides an unpinned history window when the program loses the focus, and hands mouse moves
    // over the frameless windows' children to their edge cursors.
    bool notify(QObject *receiver, QEvent *event) override;

    void applyThemeToWindows() override;
    void showMonitor() override;

    // Set by main once the windows exist; the settings dialog reaches both through ProgramWindows.
    MainWindow *mainWindow = nullptr;
    Monitor *monitorWindow = nullptr;

    // Emits powerResume when logind says the machine woke from sleep. Without a system bus (a
    // container, a headless session) there is nothing to hear and nothing is emitted.
    void watchForWake();

signals:
    void powerResume();

private slots:
    void prepareForSleep(bool sleeping);
};
