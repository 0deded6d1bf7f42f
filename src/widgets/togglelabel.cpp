#include "widgets/togglelabel.h"

#include "common/iconresources.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

namespace {
QPixmap shade(const QString &iconName, const QString &colour)
{
    return Utils::svg2icon(iconName, colour, "#000000").pixmap(24, 24);
}
} // namespace

ToggleLabel::ToggleLabel(QString iconName, QWidget *parent)
    : QLabel(parent)
{
    registerIconResources();
    m_normal = shade(iconName, "#CCCCCC");
    m_hover = shade(iconName, "#888888");
    m_selectedPixmap = shade(iconName, "#000000");
    setAttribute(Qt::WA_MouseTracking);
    setPixmap(m_normal);
}

void ToggleLabel::mouseMoveEvent(QMouseEvent *event)
{
    setPixmap(m_hover);
    QLabel::mouseMoveEvent(event);
}

void ToggleLabel::leaveEvent(QEvent *event)
{
    showRestingPixmap();
    QLabel::leaveEvent(event);
}

void ToggleLabel::mousePressEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    m_selected = !m_selected;
    showRestingPixmap();
    emit clicked(m_selected);
}

void ToggleLabel::showRestingPixmap()
{
    setPixmap(m_selected ? m_selectedPixmap : m_normal);
}
