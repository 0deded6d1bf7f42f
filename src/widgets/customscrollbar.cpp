#include "widgets/customscrollbar.h"

#include "common/theme.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

CustomScrollBar::CustomScrollBar(QAbstractScrollArea *area)
    : QWidget(area, Qt::FramelessWindowHint), m_area(area)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    area->installEventFilter(this);
    resize(3, 30);
}

CustomScrollBar::~CustomScrollBar()
{
    if (QObject *area = m_area.data())
        area->removeEventFilter(this);
}

QAbstractScrollArea *CustomScrollBar::area() const
{
    return qobject_cast<QAbstractScrollArea *>(m_area.data());
}

QRect CustomScrollBar::thumbRect() const
{
    const QAbstractScrollArea *area = this->area();
    if (!area)
        return QRect();
    const QScrollBar *bar = area->verticalScrollBar();
    const int maximum = bar->maximum();
    const double total = double(maximum) + bar->pageStep();
    if (maximum == 0 || total <= 0)
        return QRect();
    const int thumbHeight = int(bar->pageStep() / total * height());
    const int top = int(bar->value() / total * height());
    return QRect(0, top, width() - 1, thumbHeight);
}

void CustomScrollBar::onResize(QResizeEvent *event)
{
    move(event->size().width() - width(), 0);
    resize(width(), event->size().height());
}

bool CustomScrollBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area.data() && event->type() == QEvent::Resize)
        onResize(static_cast<QResizeEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

void CustomScrollBar::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    const QRect thumb = thumbRect();
    if (thumb.isEmpty())
        return;
    QPainter painter(this);
    painter.fillRect(thumb, getColor(COLOR_TEXT_SECONDARY));
}
