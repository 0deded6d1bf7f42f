#include "clipboard/clipboardsaver.h"

#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardtools.h"
#include "clipboard/x11clipboardreader.h"
#include "platform/pastetiming.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>
#include <utility>

ClipboardSaver::ClipboardSaver(QObject *parent)
    : QObject(parent)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        qWarning() << "The clipboard's owner did not give its content in time; it is not put back.";
        m_reader->cancel();
        finish(nullptr);
    });
}

void ClipboardSaver::save(std::function<void(std::unique_ptr<QMimeData> saved)> done)
{
    cancel();
    if (!m_readerMade) {
        m_readerMade = true;
        m_reader = X11ClipboardReader::create(
            this, [this](std::unique_ptr<QMimeData> read, X11ClipboardReader::Outcome outcome, quint32) {
                if (outcome == X11ClipboardReader::Unanswered) {
                    qWarning() << "The clipboard's owner does not answer; it is not put back.";
                    read.reset();
                }
                finish(std::move(read));
            });
    }
    // Through the toolkit, each format of another client's content would be asked for with a wait
    // of seconds, however long its owner kept silent.
    if (!m_reader || QGuiApplication::clipboard()->ownsClipboard()) {
        done(ClipboardTools::saveClipboard());
        return;
    }
    if (!ClipboardListener::clipboardAnswers()) {
        qWarning() << "The clipboard's owner does not answer; it is not put back.";
        done(nullptr);
        return;
    }
    m_done = std::move(done);
    m_limit.start(PasteTiming::SaveLimit);
    m_reader->start(-1, X11ClipboardReader::Contents::Everything, PasteTiming::SaveReplyTimeout);
}

void ClipboardSaver::cancel()
{
    m_limit.stop();
    if (m_reader)
        m_reader->cancel();
    m_done = nullptr;
}

void ClipboardSaver::finish(std::unique_ptr<QMimeData> saved)
{
    m_limit.stop();
    const std::function<void(std::unique_ptr<QMimeData>)> done = std::exchange(m_done, nullptr);
    if (done)
        done(std::move(saved));
}
