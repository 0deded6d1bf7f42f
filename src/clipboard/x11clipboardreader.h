#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QMimeData;
class QSocketNotifier;
class QTimer;
typedef struct _XDisplay Display;

// Reads the clipboard of another X client without ever waiting for it: each request goes out on a
// connection of its own and its answer is taken from the event loop, so an owner that never
// answers costs nothing but a time-out. Only the formats the history keeps are read (the marker,
// text, HTML, file list and one image), and a format larger than its limit is refused before it is
// transferred.
class X11ClipboardReader : public QObject
{
    Q_OBJECT

public:
    enum Outcome {
        // data holds what the owner gave.
        Read,
        // Nobody owns the clipboard.
        NoOwner,
        // The owner did not answer within ReplyTimeout.
        Unanswered,
    };

    // What a read takes of the content.
    enum class Contents {
        // What the history keeps: the marker, text, HTML, file list and one decoded image.
        Kept,
        // Everything but the owner's own targets, to be put back as it was: text, HTML, file list
        // and one image as the history reads them, every other format byte for byte.
        Everything,
    };

    // An owner that has not answered a request within this time is given up on.
    static constexpr int ReplyTimeout = 3000;
    // No format is transferred beyond this size.
    static const qint64 MaxFormatSize;

    // Gets each read's content, which it owns from then on, empty unless outcome is Read; owner is
    // the window read from.
    using Finished = std::function<void(std::unique_ptr<QMimeData> data, Outcome outcome, quint32 owner)>;

    // Null when this is not an X11 session.
    static X11ClipboardReader *create(QObject *parent, Finished finished);
    ~X11ClipboardReader() override;

    // Starts reading the current content, abandoning a read in progress; finished follows, at
    // once when nobody owns the clipboard. Text and HTML larger than textLimit bytes (when it is
    // not negative) are not transferred.
    void start(qint64 textLimit, Contents contents = Contents::Kept);
    // Abandons the read in progress; finished does not follow.
    void cancel();
    bool busy() const { return m_busy; }
    // Busy, and the owner has kept the current request waiting for longer than a responsive one
    // would.
    bool stalled() const;
    // The window that owns the clipboard now, 0 for none; asks the server, never the owner.
    quint32 owner();
    // Whether the toolkit's own clipboard content is the clipboard's now. The toolkit believes it
    // owns the clipboard until it has handled the notice that another client took it, and then
    // hands out that client's content, read at any size and with waits of seconds.
    bool ownContentIsCurrent();
    // The size of the picture in the content last read when it was too large to decode, so that
    // the content came without it; invalid otherwise.
    QSize refusedImage() const { return m_refusedImage; }
    // Whether the content last read came with every format read for it: none refused for its size,
    // every picture decoded.
    bool whole() const { return m_whole; }

private:
    struct Request
    {
        unsigned long target = 0;
        QString name;
        qint64 limit = 0;
        bool text = false;
    };

    X11ClipboardReader(Display *display, QObject *parent, Finished finished);
    void readEvents();
    void takeQueuedEvents();
    void ask(const Request &request);
    void restartTimeout();
    void readReply();
    void readChunk();
    void partDone(const QByteArray &bytes, bool received);
    void chooseFormats(const QByteArray &targets);
    void finish(Outcome outcome);
    std::unique_ptr<QMimeData> content();

    Display *m_display;
    Finished m_finished;
    // The requestor window of the current read, and the property the owner answers in.
    QList<unsigned long> m_windows;
    int m_nextWindow = 0;
    unsigned long m_window = 0;
    unsigned long m_property = 0;
    unsigned long m_clipboard = 0;
    unsigned long m_targets = 0;
    unsigned long m_incr = 0;
    QSocketNotifier *m_notifier;
    QTimer *m_timeout;
    QElapsedTimer m_sinceProgress;

    bool m_busy = false;
    quint32 m_owner = 0;
    qint64 m_textLimit = -1;
    Contents m_contents = Contents::Kept;
    Request m_current;
    bool m_incremental = false;
    // The current format was refused for its size.
    bool m_tooLarge = false;
    QByteArray m_buffer;
    QList<Request> m_pending;
    // Transferred formats by target name.
    QHash<QString, QByteArray> m_parts;
    QSize m_refusedImage;
    bool m_whole = true;
};
