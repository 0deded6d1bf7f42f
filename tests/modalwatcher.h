#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal dialog of type T (a message box, a file or input dialog, one of ours) from
// inside its own event loop, so that code which runs the dialog with exec() can be driven to its
// end. The answer must close the dialog. Gives up after ten seconds; answered() tells whether the
// dialog came.
template <typename T>
class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(std::function<void(T *)> answer)
        : m_answer(std::move(answer))
        , m_deadline(10000)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
                m_timer.stop();
                m_answered = true;
                m_answer(dialog);
            } else if (m_deadline.hasExpired()) {
                m_timer.stop();
            }
        });
        m_timer.start(5);
    }

    bool answered() const { return m_answered; }

private:
    std::function<void(T *)> m_answer;
    QDeadlineTimer m_deadline;
    QTimer m_timer;
    bool m_answered = false;
};
