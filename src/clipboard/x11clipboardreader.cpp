#include "clipboard/x11clipboardreader.h"

#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardtools.h"
#include "clipboard/privatedisplay.h"
#include "common/imagelimits.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QSocketNotifier>
#include <QStringConverter>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <utility>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

const qint64 X11ClipboardReader::MaxFormatSize = qint64(256) * 1024 * 1024;

namespace {

const int RequestorWindows = 4;
// Longer than a responsive owner takes for one answer.
const int StallTime = 500;
const qint64 TargetsLimit = 64 * 1024;
// In the order they are looked for; the first one offered is read.
const char *const TextTargets[] = {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain", "STRING"};
const char *const HtmlTarget = "text/html";
const char *const UriListTarget = "text/uri-list";

unsigned long atom(Display *display, const char *name)
{
    return XInternAtom(display, name, False);
}

// Xlib hands format-32 items over as longs and format-16 items as shorts.
QByteArray propertyBytes(const unsigned char *data, int format, unsigned long items)
{
    if (!data)
        return QByteArray();
    const qsizetype unit = format == 32 ? qsizetype(sizeof(long)) : format == 16 ? qsizetype(sizeof(short)) : 1;
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(items) * unit);
}

bool isTextTarget(const QString &name)
{
    static const QStringList aliases{"UTF8_STRING", "STRING", "TEXT", "COMPOUND_TEXT"};
    return aliases.contains(name) || name.startsWith(QLatin1String("text/plain"));
}

QString decodeHtml(const QByteArray &bytes)
{
    // Some browsers offer their HTML as UTF-16 with a byte-order mark.
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        auto decoder = QStringDecoder(QStringDecoder::Utf16);
        return decoder(bytes);
    }
    return QString::fromUtf8(bytes);
}

// The size of a picture too large to decode, or an invalid size.
QSize setImage(QMimeData *data, const QString &format, const QByteArray &bytes)
{
    const QImage image = QImage::fromData(bytes);
    if (!image.isNull()) {
        data->setImageData(image);
        return QSize();
    }
    qDebug().noquote() << "The clipboard's" << format << "does not decode";
    return ImageLimits::refusedSize(bytes);
}

QList<QUrl> decodeUriList(const QByteArray &bytes)
{
    QList<QUrl> urls;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith('#'))
            urls.append(QUrl::fromEncoded(trimmed));
    }
    return urls;
}

} // namespace

X11ClipboardReader *X11ClipboardReader::create(QObject *parent, Finished finished)
{
    Display *display = openPrivateDisplay();
    return display ? new X11ClipboardReader(display, parent, std::move(finished)) : nullptr;
}

X11ClipboardReader::X11ClipboardReader(Display *display, QObject *parent, Finished finished)
    : QObject(parent)
    , m_display(display)
    , m_finished(std::move(finished))
    , m_notifier(new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this))
    , m_timeout(new QTimer(this))
{
    m_property = atom(display, "KESTOVAN_CLIPBOARD");
    m_clipboard = atom(display, "CLIPBOARD");
    m_targets = atom(display, "TARGETS");
    m_incr = atom(display, "INCR");

    m_timeout->setSingleShot(true);
    connect(m_timeout, &QTimer::timeout, this, [this] {
        qWarning().noquote() << "The clipboard's owner did not answer for" << m_current.name;
        finish(Unanswered);
    });
    connect(m_notifier, &QSocketNotifier::activated, this, &X11ClipboardReader::readEvents);
}

X11ClipboardReader::~X11ClipboardReader()
{
    delete m_notifier;
    for (const unsigned long window : std::as_const(m_windows))
        XDestroyWindow(m_display, window);
    XCloseDisplay(m_display);
}

bool X11ClipboardReader::stalled() const
{
    return m_busy && m_sinceProgress.elapsed() > StallTime;
}

quint32 X11ClipboardReader::owner()
{
    const quint32 window = quint32(XGetSelectionOwner(m_display, m_clipboard));
    takeQueuedEvents();
    return window;
}

bool X11ClipboardReader::ownContentIsCurrent()
{
    if (!QGuiApplication::clipboard()->ownsClipboard())
        return false;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return true;
    // The toolkit's windows are named from its connection's share of window ids.
    const xcb_setup_t *setup = xcb_get_setup(x11->connection());
    return (owner() & ~setup->resource_id_mask) == setup->resource_id_base;
}

void X11ClipboardReader::takeQueuedEvents()
{
    // Round trips and flushes read whatever has arrived into Xlib's queue, where the socket
    // notifier never sees it: a fast answer would wait there until the time-out.
    if (XEventsQueued(m_display, QueuedAlready) > 0)
        QMetaObject::invokeMethod(this, &X11ClipboardReader::readEvents, Qt::QueuedConnection);
}

void X11ClipboardReader::cancel()
{
    m_timeout->stop();
    m_busy = false;
    m_pending.clear();
    m_parts.clear();
    m_buffer.clear();
    m_incremental = false;
}

void X11ClipboardReader::start(qint64 textLimit, Contents contents)
{
    cancel();
    m_textLimit = textLimit;
    m_contents = contents;
    m_owner = owner();
    m_whole = true;
    if (!m_owner) {
        m_busy = false;
        m_finished(std::make_unique<QMimeData>(), NoOwner, 0);
        return;
    }
    m_busy = true;
    // Each read asks from the next of a few windows: a late answer to an earlier read, or the chunks
    // of an owner given up on, go to a window that is not listened to. They are never destroyed
    // meanwhile: an owner that writes to a window that is gone may end on the error.
    if (m_windows.size() < RequestorWindows) {
        m_windows.append(XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0));
        XSelectInput(m_display, m_windows.last(), PropertyChangeMask);
    }
    m_window = m_windows.at(m_nextWindow);
    m_nextWindow = (m_nextWindow + 1) % RequestorWindows;
    ask({m_targets, QStringLiteral("TARGETS"), TargetsLimit});
}

void X11ClipboardReader::ask(const Request &request)
{
    m_current = request;
    m_incremental = false;
    m_tooLarge = false;
    m_buffer.clear();
    XDeleteProperty(m_display, m_window, m_property);
    XConvertSelection(m_display, m_clipboard, request.target, m_property, m_window, CurrentTime);
    XFlush(m_display);
    restartTimeout();
    takeQueuedEvents();
}

void X11ClipboardReader::restartTimeout()
{
    m_timeout->start(ReplyTimeout);
    m_sinceProgress.start();
}

void X11ClipboardReader::readEvents()
{
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (!m_busy)
            continue;
        if (event.type == SelectionNotify) {
            const XSelectionEvent &answer = event.xselection;
            if (answer.requestor != m_window || answer.target != m_current.target || m_incremental)
                continue;
            if (answer.property == None)
                partDone(QByteArray(), false); // the owner cannot give this format
            else if (answer.property == m_property)
                readReply();
        } else if (event.type == PropertyNotify) {
            const XPropertyEvent &change = event.xproperty;
            if (m_incremental && change.window == m_window && change.atom == m_property
                && change.state == PropertyNewValue)
                readChunk();
        }
    }
}

void X11ClipboardReader::readReply()
{
    const unsigned long property = m_property;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    // The size first: nothing is taken over before it is known.
    if (XGetWindowProperty(m_display, m_window, property, 0, 0, False, AnyPropertyType, &type, &format, &items,
                           &after, &data)
        != Success) {
        partDone(QByteArray(), false);
        return;
    }
    if (data)
        XFree(data);

    if (type == m_incr) {
        // The content follows in chunks. The property holds a lower bound of its size as one
        // format-32 item (a long in Xlib), or nothing, as xclip sends it; any other shape would be
        // read past its end.
        data = nullptr;
        long size = 0;
        const bool wellFormed = XGetWindowProperty(m_display, m_window, property, 0, 1, False, AnyPropertyType,
                                                   &type, &format, &items, &after, &data)
                == Success
            && type == m_incr && format == 32;
        if (wellFormed && data && items == 1)
            size = *reinterpret_cast<long *>(data);
        if (data)
            XFree(data);
        if (!wellFormed) {
            qDebug().noquote() << "The clipboard's owner sent a malformed INCR reply for" << m_current.name;
            partDone(QByteArray(), false);
            return;
        }
        // Too large: the chunks are still taken and thrown away, since an owner in the middle of a
        // transfer answers no one else until it ends.
        m_tooLarge = size > m_current.limit;
        if (m_tooLarge)
            qDebug().noquote() << "Not reading the clipboard's" << m_current.name << "of" << size << "bytes";
        m_incremental = true;
        XDeleteProperty(m_display, m_window, property);
        XFlush(m_display);
        restartTimeout();
        return;
    }

    if (qint64(after) > m_current.limit) {
        qDebug().noquote() << "Not reading the clipboard's" << m_current.name << "of" << after << "bytes";
        m_tooLarge = true;
        XDeleteProperty(m_display, m_window, property);
        XFlush(m_display);
        partDone(QByteArray(), false);
        return;
    }
    data = nullptr;
    unsigned long rest = 0;
    if (XGetWindowProperty(m_display, m_window, property, 0, long((after + 3) / 4), True, AnyPropertyType, &type,
                           &format, &items, &rest, &data)
        != Success) {
        partDone(QByteArray(), false);
        return;
    }
    const QByteArray bytes = propertyBytes(data, format, items);
    if (data)
        XFree(data);
    partDone(bytes, true);
}

void X11ClipboardReader::readChunk()
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    // Deleting the chunk asks the owner for the next one.
    if (XGetWindowProperty(m_display, m_window, m_property, 0, long(MaxFormatSize / 4), True, AnyPropertyType, &type,
                           &format, &items, &after, &data)
        != Success) {
        m_incremental = false;
        partDone(QByteArray(), false);
        return;
    }
    const QByteArray chunk = propertyBytes(data, format, items);
    if (data)
        XFree(data);
    XFlush(m_display);
    if (chunk.isEmpty()) {
        m_incremental = false;
        partDone(m_tooLarge ? QByteArray() : m_buffer, !m_tooLarge);
        return;
    }
    if (!m_tooLarge && qint64(m_buffer.size()) + chunk.size() > m_current.limit) {
        qDebug().noquote() << "Not reading the clipboard's" << m_current.name << "beyond" << m_current.limit << "bytes";
        m_tooLarge = true;
        m_buffer.clear();
    }
    if (!m_tooLarge)
        m_buffer.append(chunk);
    restartTimeout();
}

void X11ClipboardReader::partDone(const QByteArray &bytes, bool received)
{
    m_timeout->stop();
    if (m_tooLarge)
        m_whole = false;
    if (m_current.name == QLatin1String("TARGETS")) {
        // An owner that lists no formats offers nothing that could be read.
        if (!received) {
            finish(Read);
            return;
        }
        chooseFormats(bytes);
    } else if (received) {
        m_parts.insert(m_current.name, bytes);
    } else if (m_current.text && m_tooLarge) {
        // Text too large for the history: its HTML would be refused with it.
        m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                       [](const Request &request) { return request.name == QLatin1String(HtmlTarget); }),
                        m_pending.end());
    }
    if (m_pending.isEmpty())
        finish(Read);
    else
        ask(m_pending.takeFirst());
}

void X11ClipboardReader::chooseFormats(const QByteArray &targets)
{
    const auto *atoms = reinterpret_cast<const Atom *>(targets.constData());
    const int count = int(targets.size() / qsizetype(sizeof(Atom)));
    QHash<QString, Atom> offered;
    if (count > 0) {
        QList<char *> names(count, nullptr);
        if (XGetAtomNames(m_display, const_cast<Atom *>(atoms), count, names.data())) {
            for (int n = 0; n < count; ++n) {
                if (names.at(n)) {
                    offered.insert(QString::fromLatin1(names.at(n)), atoms[n]);
                    XFree(names.at(n));
                }
            }
        }
    }

    const qint64 textLimit = m_textLimit >= 0 ? qMin(m_textLimit, MaxFormatSize) : MaxFormatSize;
    const auto want = [&](const QString &name, qint64 limit, bool text = false) {
        if (offered.contains(name))
            m_pending.append({offered.value(name), name, limit, text});
    };
    want(ClipboardListener::ApplicationFormat, TargetsLimit);
    for (const char *name : TextTargets) {
        if (offered.contains(QLatin1String(name))) {
            want(QLatin1String(name), textLimit, true);
            break;
        }
    }
    want(QLatin1String(HtmlTarget), MaxFormatSize);
    want(QLatin1String(UriListTarget), MaxFormatSize);
    // One image, in the first format offered that can be decoded here, PNG before the others.
    QList<QByteArray> images = QImageReader::supportedMimeTypes();
    images.removeAll("image/png");
    images.prepend("image/png");
    for (const QByteArray &name : std::as_const(images)) {
        if (offered.contains(QString::fromLatin1(name))) {
            want(QString::fromLatin1(name), MaxFormatSize);
            break;
        }
    }
    if (m_contents != Contents::Everything)
        return;
    // The other spellings of the text and the other encodings of the picture say nothing more.
    for (auto it = offered.cbegin(); it != offered.cend(); ++it) {
        const QString &name = it.key();
        const bool wanted = std::any_of(m_pending.cbegin(), m_pending.cend(),
                                        [&name](const Request &request) { return request.name == name; });
        if (!wanted && !isTextTarget(name) && !name.startsWith(QLatin1String("image/"))
            && !ClipboardTools::isPseudoFormat(name))
            want(name, MaxFormatSize);
    }
}

void X11ClipboardReader::finish(Outcome outcome)
{
    m_timeout->stop();
    m_busy = false;
    m_pending.clear();
    m_incremental = false;
    m_refusedImage = QSize();
    std::unique_ptr<QMimeData> data = outcome == Read ? content() : std::make_unique<QMimeData>();
    m_parts.clear();
    m_buffer.clear();
    m_finished(std::move(data), outcome, m_owner);
}

std::unique_ptr<QMimeData> X11ClipboardReader::content()
{
    auto data = std::make_unique<QMimeData>();
    for (auto it = m_parts.cbegin(); it != m_parts.cend(); ++it) {
        const QString &name = it.key();
        const QByteArray &bytes = it.value();
        if (name == ClipboardListener::ApplicationFormat)
            data->setData(name, bytes);
        else if (name == QLatin1String("STRING"))
            data->setText(QString::fromLatin1(bytes));
        else if (name == QLatin1String(HtmlTarget))
            data->setHtml(decodeHtml(bytes));
        else if (name == QLatin1String(UriListTarget))
            data->setUrls(decodeUriList(bytes));
        else if (name.startsWith(QLatin1String("image/")) && m_contents == Contents::Kept)
            m_refusedImage = setImage(data.get(), name, bytes);
        else if (isTextTarget(name))
            data->setText(QString::fromUtf8(bytes));
        else
            data->setData(name, bytes);
    }
    const bool pictureRead = std::any_of(m_parts.keyBegin(), m_parts.keyEnd(),
                                         [](const QString &name) { return name.startsWith(QLatin1String("image/")); });
    if (m_contents == Contents::Kept && pictureRead && !data->hasImage())
        m_whole = false;
    return data;
}
