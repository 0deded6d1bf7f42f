#pragma once

#include <QObject>

class QWidget;

// The history window stays on top of other windows. A box or dialog opened without a parent while
// it shows (text recognition results, warnings) would open beneath it, where it can be neither read
// nor answered; such a dialog is made a transient of the window, which keeps it above.
class DialogsAboveWindow : public QObject
{
    Q_OBJECT

public:
    // Watches from now on; the window owns the watcher.
    explicit DialogsAboveWindow(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
