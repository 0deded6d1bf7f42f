#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <xcb/xproto.h>

#include <initializer_list>

class QSocketNotifier;

// Follows which top-level window is active on its own X connection and remembers the last one that
// is not ours: the front application whose name and icon a clipping records and that a paste goes to.
class X11FrontWindow : public QObject
{
    Q_OBJECT

public:
    // Null when the display cannot be reached.
    static X11FrontWindow *create(const QByteArray &displayName, QObject *parent);
    ~X11FrontWindow() override;

    QString applicationName();
    QImage icon(int size);
    void activateTarget();
    void activateOwnWindow(quint32 window, quint32 time);
    void setOnAllDesktops(quint32 window, bool mapped);
    // Whether one of our windows has the focus, as of the latest change the server has sent.
    bool ownWindowHasFocus();
    // Client windows from bottom to top, as the window manager stacks them.
    QList<quint32> stackingOrder();

private:
    X11FrontWindow(xcb_connection_t *connection, int screen, QObject *parent);

    void readEvents();
    void update();
    quint32 frontWindow();
    quint32 activeWindow();
    bool isOwnWindow(quint32 window);
    bool windowExists(quint32 window);
    bool hasWindowManager();
    void requestActivation(quint32 window, quint32 time, quint32 currentlyActive);
    xcb_get_property_cookie_t askProperty(quint32 window, quint32 atom, quint32 type, quint32 maxWords);
    QByteArray property(quint32 window, quint32 atom, quint32 type, quint32 maxWords);
    quint32 cardinal(quint32 window, quint32 atom, quint32 type, bool *ok);
    // The reply to a property asked for earlier.
    quint32 cardinal(xcb_get_property_cookie_t asked, quint32 type, bool *ok);
    void internAtoms(std::initializer_list<const char *> names);
    quint32 atom(const char *name);

    xcb_connection_t *m_connection;
    quint32 m_root = 0;
    QHash<QByteArray, quint32> m_atoms;
    QSocketNotifier *m_notifier = nullptr;
    quint32 m_lastForeign = 0;
    bool m_activeIsOurs = false;
    bool m_hasWindowManager = false;
};
