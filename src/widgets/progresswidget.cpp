#include "widgets/progresswidget.h"

#include "common/iconresources.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QPainter>
#include <QSvgRenderer>

ProgressWidget::ProgressWidget(QWidget *parent)
    : QWidget(parent)
{
}

void ProgressWidget::init(bool followSystem)
{
    m_initialised = true;
    m_followSystem = followSystem;
    if (m_renderer) {
        m_renderer->disconnect();
        // Later, not now: init may run from a slot that the old renderer's signal reached.
        m_renderer->deleteLater();
        m_renderer = nullptr;
    }
    // Most spinners are hidden at start and many are never shown: the picture is read when first
    // painted.
    if (isVisible())
        load();
}

void ProgressWidget::load()
{
    registerIconResources();
    m_renderer = new QSvgRenderer(this);
    m_renderer->load(Utils::loadSvg(":/icons/images/progress.svg", m_followSystem, 1.0));
    connect(m_renderer, &QSvgRenderer::repaintNeeded, this, &ProgressWidget::repaintFrame);
}

void ProgressWidget::repaintFrame()
{
    if (isVisible())
        repaint();
}

void ProgressWidget::paintEvent(QPaintEvent *)
{
    if (!m_initialised)
        return;
    if (!m_renderer)
        load();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, QRectF(0, 0, width(), height()));
}
