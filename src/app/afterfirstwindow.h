#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

// Runs start-up work the first window does not need once that window is on the screen, so a
// hotkey pressed while the program starts shows the window before anything else. When nobody
// asks for the window, the work runs after latestMs.
class AfterFirstWindow : public QObject
{
    Q_OBJECT

public:
    AfterFirstWindow(QWidget *window, int latestMs, std::function<void()> work);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void run();

    QPointer<QWidget> m_window;
    std::function<void()> m_work;
    QTimer m_latest;
};
