#pragma once

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <functional>

// Runs a check on the next popup menu that opens, from inside the menu's own event loop, so that
// modal menus (QMenu::exec) can be inspected and answered. The check must close or trigger it.
class PopupWatcher : public QObject
{
public:
    explicit PopupWatcher(std::function<void(QMenu *)> check)
        : m_check(std::move(check))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (menu && menu != m_ignored) {
                m_timer.stop();
                ++m_seen;
                m_check(menu);
            }
        });
        m_timer.start(5);
    }

    // A menu that is already open (a parent of the one to check).
    void ignore(QMenu *menu) { m_ignored = menu; }
    int seen() const { return m_seen; }

private:
    std::function<void(QMenu *)> m_check;
    QTimer m_timer;
    QMenu *m_ignored = nullptr;
    int m_seen = 0;
};
