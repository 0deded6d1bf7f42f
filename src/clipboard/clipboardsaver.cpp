#include "clipboard/clipboardsaver.h"

#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardtools.h"
#include "clipboard/x11clipboardreader.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>
#include <utility>

ClipboardSaver::ClipboardSaver(QObject *parent)
    : QObject(parent)
{
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
    if (!m_reader || m_reader->ownContentIsCurrent()) {
        done(ClipboardTools::saveClipboard());
        return;
    }
    m_done = std::move(done);
    takeContent();
}

void ClipboardSaver::takeContent()
{
    if (ClipboardListener *listener = ClipboardListener::ofHistory()) {
        // Asked again while it still answers the history's read, a slow owner seemed not to answer.
        if (const std::shared_ptr<const QMimeData> reading = listener->currentReading()) {
            finish(ClipboardTools::copyOf(reading.get()));
            return;
        }
        if (listener->readingCurrent()) {
            if (m_listener != listener) {
                if (m_listener)
                    disconnect(m_listener, nullptr, this, nullptr);
                m_listener = listener;
                connect(listener, &ClipboardListener::readDone, this, &ClipboardSaver::listenerDone,
                        Qt::QueuedConnection);
                connect(listener, &QObject::destroyed, this, &ClipboardSaver::listenerDone, Qt::QueuedConnection);
            }
            m_waitingForListener = true;
            return;
        }
    }
    if (!ClipboardListener::clipboardAnswers()) {
        qWarning() << "The clipboard's owner does not answer; it is not put back.";
        finish(nullptr);
        return;
    }
    m_reader->start(-1, X11ClipboardReader::Contents::Everything);
}

void ClipboardSaver::listenerDone()
{
    if (std::exchange(m_waitingForListener, false))
        takeContent();
}

void ClipboardSaver::cancel()
{
    m_waitingForListener = false;
    if (m_reader)
        m_reader->cancel();
    m_done = nullptr;
}

void ClipboardSaver::finish(std::unique_ptr<QMimeData> saved)
{
    const std::function<void(std::unique_ptr<QMimeData>)> done = std::exchange(m_done, nullptr);
    if (done)
        done(std::move(saved));
}
