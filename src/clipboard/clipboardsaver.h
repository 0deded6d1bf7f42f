#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QMimeData;
class X11ClipboardReader;

// Saves the whole clipboard before the program writes over it for a moment, and never waits on
// another application for it: content of this process is copied at once, another client's is read
// without blocking, within the limits of PasteTiming. An owner that does not answer in time leaves
// nothing to put back.
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
    void finish(std::unique_ptr<QMimeData> saved);

    X11ClipboardReader *m_reader = nullptr;
    bool m_readerMade = false;
    QTimer m_limit;
    std::function<void(std::unique_ptr<QMimeData> saved)> m_done;
};
