#include "widgets/elidedlabel.h"

#include <QPainter>
#include <QTextLayout>

ElidedLabel::ElidedLabel(QWidget *parent)
    : QFrame(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ElidedLabel::setText(const QString &text)
{
    m_content = text;
    update();
}

void ElidedLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);

    QPainter painter(this);
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineSpacing = metrics.lineSpacing();

    bool elided = false;
    int y = 0;
    QTextLayout layout(m_content, painter.font());
    layout.beginLayout();
    forever {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width());

        if (height() < y + 2 * lineSpacing) {
            // The last line that fits takes the rest of the text, cut to the width.
            const QString rest = m_content.mid(line.textStart());
            painter.drawText(QPoint(0, y + metrics.ascent()), metrics.elidedText(rest, Qt::ElideRight, width()));
            elided = layout.createLine().isValid();
            break;
        }
        line.draw(&painter, QPoint(0, y));
        y += lineSpacing;
    }
    layout.endLayout();

    if (elided != m_elided) {
        m_elided = elided;
        emit elisionChanged(elided);
        setToolTip(elided ? m_content : QString());
    }
}
