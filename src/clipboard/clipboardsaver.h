#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class ClipboardListener;
class QMimeData;
class X11ClipboardReader;

// Saves the whole clipboard before the program writes over it for a moment, and never blocks on
// another application for it: content of this process is copied at once; another client's is taken
// from the history's reading of it while the clipboard has had no other owner since, and otherwise
// read without blocking. An owner that does not answer leaves nothing to put back.
class ClipboardSaver : public QObject
{
    Q_OBJECT

public:
    explicit ClipboardSaver(QObject *parent);

    // done receives the saved content, or null when the owner did not answer. It runs at once when
    // there is nothing to wait for.
    void save(std::function<void(std::unique_ptr<QMimeData> saved)> done);
    // Forgets a save in progress; its done never runs.
    void cancel();

private:
    void takeContent();
    void listenerDone();
    void finish(std::unique_ptr<QMimeData> saved);

    X11ClipboardReader *m_reader = nullptr;
    bool m_readerMade = false;
    QPointer<ClipboardListener> m_listener;
    bool m_waitingForListener = false;
    std::function<void(std::unique_ptr<QMimeData> saved)> m_done;
};
