#pragma once

#include <QHash>
#include <QObject>

class QWidget;

// The history window and its lists act on key releases. A key whose press went to another window
// (the menu entry it picked, the box or the editor it closed) must not act again when its release
// reaches the window: a release there is delivered only when the last press of that key reached
// the same window. One guard serves every view and popup of the window.
class KeyReleaseGuard : public QObject
{
    Q_OBJECT

public:
    // Guards the window from now on; the window owns the guard.
    explicit KeyReleaseGuard(QWidget *window);

    // The modifiers held at the key's last press in the window: what the key means, though they
    // may be let go before the key, or before its release is handled.
    Qt::KeyboardModifiers pressModifiers(int key) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    // Keys whose last press reached the window, with the modifiers of that press.
    QHash<int, Qt::KeyboardModifiers> m_pressedHere;
};
