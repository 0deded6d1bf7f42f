#include "widgets/progresswidget.h"

#include "common/iconresources.h"
#include "common/utils.h"

#include <QPainter>
#include <QSvgRenderer>

ProgressWidget::ProgressWidget(QWidget *parent)
    : QWidget(parent)
{
}

void ProgressWidget::init(bool followSystem)
{
    registerIconResources();
    if (m_renderer) {
        m_renderer->disconnect();
        // Later, not now: init may run from a slot that the old renderer's signal reached.
        m_renderer->deleteLater();
    }
    m_renderer = new QSvgRenderer(this);
    m_renderer->load(Utils::loadSvg(":/icons/images/progress.svg", followSystem, 1.0));
    connect(m_renderer, &QSvgRenderer::repaintNeeded, this, &ProgressWidget::repaintFrame);
}

void ProgressWidget::repaintFrame()
{
    if (isVisible())
        repaint();
}

void ProgressWidget::paintEvent(QPaintEvent *)
{
    if (!m_renderer)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, QRectF(0, 0, width(), height()));
}
