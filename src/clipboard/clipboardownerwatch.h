#pragma once

#include <QObject>

class QSocketNotifier;
typedef struct _XDisplay Display;

// Tells when another X client has taken the clipboard or its owner has gone away, without reading
// the content: XFixes selection events on a connection of its own.
class ClipboardOwnerWatch : public QObject
{
    Q_OBJECT

public:
    // Null when this is not an X11 session or the server lacks XFixes.
    static ClipboardOwnerWatch *create(QObject *parent);
    ~ClipboardOwnerWatch() override;

    // Owner changes seen so far.
    quint64 changes() const { return m_changes; }
    // Takes in every change the server has reported up to now.
    void catchUp();

private:
    ClipboardOwnerWatch(Display *display, int eventBase, QObject *parent);
    void readEvents();

    Display *m_display;
    int m_eventBase;
    QSocketNotifier *m_notifier;
    quint64 m_changes = 0;
};
