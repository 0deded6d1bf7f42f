#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

// Writes a debug line for each window, dialog and menu of the program once it is on the screen,
// with its title and, for a menu, its entries, and for a message box, its text. Whoever drives the
// program from outside (the end-to-end tests, a user reporting a fault) learns from the log what
// is shown and when keys can go to it.
class ShownWindowLog : public QObject
{
    Q_OBJECT

public:
    // Watches every widget of the application.
    explicit ShownWindowLog(QObject *parent = nullptr);

    // The line written for a shown widget.
    static QString describe(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shown, not yet exposed: the server has not put them on the screen.
    QHash<QWindow *, QPointer<QWidget>> m_pending;
};
