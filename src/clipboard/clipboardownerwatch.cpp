#include "clipboard/clipboardownerwatch.h"

#include "clipboard/privatedisplay.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

ClipboardOwnerWatch *ClipboardOwnerWatch::create(QObject *parent)
{
    Display *display = openPrivateDisplay();
    if (!display)
        return nullptr;
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        XCloseDisplay(display);
        return nullptr;
    }
    XFixesSelectSelectionInput(display, DefaultRootWindow(display), XInternAtom(display, "CLIPBOARD", False),
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask
                                   | XFixesSelectionClientCloseNotifyMask);
    XFlush(display);
    return new ClipboardOwnerWatch(display, eventBase, parent);
}

ClipboardOwnerWatch::ClipboardOwnerWatch(Display *display, int eventBase, QObject *parent)
    : QObject(parent)
    , m_display(display)
    , m_eventBase(eventBase)
    , m_notifier(new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &ClipboardOwnerWatch::readEvents);
}

ClipboardOwnerWatch::~ClipboardOwnerWatch()
{
    delete m_notifier;
    XCloseDisplay(m_display);
}

void ClipboardOwnerWatch::catchUp()
{
    XSync(m_display, False);
    readEvents();
}

void ClipboardOwnerWatch::readEvents()
{
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == m_eventBase + XFixesSelectionNotify)
            ++m_changes;
    }
}
