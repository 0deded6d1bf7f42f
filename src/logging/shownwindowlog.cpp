#include "logging/shownwindowlog.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

namespace {

// "&x" shows as x and "&&" as one ampersand.
QString quoted(const QString &text)
{
    QString plain(QLatin1Char('"'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text.at(i);
    }
    return plain + QLatin1Char('"');
}

} // namespace

ShownWindowLog::ShownWindowLog(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

QString ShownWindowLog::describe(const QWidget *widget)
{
    if (const auto *menu = qobject_cast<const QMenu *>(widget)) {
        QStringList entries;
        for (const QAction *action : menu->actions()) {
            if (action->isVisible() && !action->isSeparator())
                entries.append(quoted(action->text()));
        }
        return QStringLiteral("Shown menu %1: %2").arg(quoted(menu->title()), entries.join(QLatin1String(" | ")));
    }
    QString line = QStringLiteral("Shown window %1 (%2)").arg(quoted(widget->windowTitle()),
                                                              QLatin1String(widget->metaObject()->className()));
    if (const auto *box = qobject_cast<const QMessageBox *>(widget))
        line += QLatin1String(": ") + box->text().simplified();
    return line;
}

bool ShownWindowLog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow() && widget->windowType() != Qt::ToolTip && widget->windowHandle())
            m_pending.insert(widget->windowHandle(), widget);
    } else if (event->type() == QEvent::Expose && !m_pending.isEmpty()) {
        auto *window = qobject_cast<QWindow *>(watched);
        if (window && window->isExposed()) {
            const QPointer<QWidget> widget = m_pending.take(window);
            if (widget)
                qDebug().noquote() << describe(widget);
        }
    }
    return false;
}
