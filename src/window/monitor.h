#pragma once

#include "widgets/movableandresizable.h"

#include <QClipboard>

class MonitorList;
class QTimer;

namespace Ui {
class Monitor;
}

// The clipboard monitor: a small frameless window that lists every format of the current
// clipboard content with its data. It follows the clipboard by signal and by a one-second poll.
class Monitor : public MovableAndResizable
{
    Q_OBJECT

public:
    Monitor();
    ~Monitor() override;

    // Rebuilds the style sheets and icons from the current palette.
    void updateTheme();
    MonitorList *list() const;

public slots:
    void closeWindow();
    void pinWindow();
    void check();
    void changedSlot(QClipboard::Mode mode);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Rebuilds the list from the clipboard while the window is visible. A rebuild scrolls back
    // to the top, so the poll and the change signal rebuild only for new content.
    void refresh(bool onlyWhenChanged);
    void updatePinIcon();

    Ui::Monitor *ui;
    QTimer *m_timer;
};
