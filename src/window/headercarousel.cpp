#include "window/headercarousel.h"

#include "history/historyitemmodel.h"
#include "common/iconresources.h"
#include "history/itemrole.h"
#include "common/theme.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSet>
#include <QTimer>

#include <cmath>

namespace {
// Number badges are drawn for the first ten pages only.
const int BadgeCount = 10;
const int BadgeWidth = 20;

int badgeSpace(int i)
{
    return i < BadgeCount ? BadgeWidth : 0;
}
} // namespace

HeaderCarousel::HeaderCarousel(QWidget *parent)
    : QWidget(parent)
    , m_font(font())
    , m_timer(new QTimer(this))
{
    registerIconResources();
    setMouseTracking(true);
    connect(m_timer, &QTimer::timeout, this, &HeaderCarousel::onTimeout);
}

void HeaderCarousel::setTitles(QStringList titles)
{
    m_titles = titles;
    if (!m_titles.isEmpty())
        m_current = m_current % m_titles.size();
    if (m_hover >= m_titles.size())
        m_hover = -1;

    const QFontMetrics metrics(m_font);
    m_sizes.clear();
    for (const QString &title : m_titles)
        m_sizes.append(metrics.size(Qt::TextSingleLine, title));
}

void HeaderCarousel::select(int tab)
{
    // Nothing to select before the titles are set.
    if (m_titles.isEmpty())
        return;
    const int count = m_titles.size();
    m_current = ((tab % count) + count) % count;
    emit selected(m_current);
    m_timer->start(5);
}

void HeaderCarousel::next()
{
    select(m_current + 1);
}

void HeaderCarousel::prev()
{
    select(m_current + m_titles.size() - 1);
}

void HeaderCarousel::onTimeout()
{
    if (m_position < m_current)
        m_position += 0.1;
    else if (m_position > m_current)
        m_position -= 0.1;
    if (std::abs(m_position - m_current) < 0.01) {
        m_timer->stop();
        m_position = m_current;
    }
    repaint();
}

int HeaderCarousel::titleWidth(int i) const
{
    return m_sizes[i].width() + badgeSpace(i);
}

bool HeaderCarousel::hitsTitle(int i, int place, int x) const
{
    if (i < 0 || i >= m_titles.size())
        return false;
    const int span = m_sizes[i].width() + 30;
    int left;
    if (place < 0)
        left = 0;
    else if (place > 0)
        left = width() - span;
    else
        left = width() / 2 - span / 2;
    return left < x && x < left + span;
}

QPoint HeaderCarousel::filterButtonPos() const
{
    if (m_titles.isEmpty())
        return QPoint();
    const int fx = (m_sizes[0].width() + 30) / 2 + width() / 2;
    const int fy = (height() - 1 - 11) / 2;
    return QPoint(fx, fy + 2);
}

QRect HeaderCarousel::filterHitArea() const
{
    if (m_titles.isEmpty() || m_current != 0)
        return QRect();
    const int fx = (m_sizes[0].width() + 30) / 2 + width() / 2;
    const int fy = (height() - 1 - 11) / 2;
    return QRect(QPoint(fx - 1, fy + 1), QPoint(fx + 12, fy + 14));
}

void HeaderCarousel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    QLinearGradient gradient(0, 0, 0, h);
    gradient.setColorAt(0, getColor(COLOR_PANEL));
    gradient.setColorAt(1, getColor(COLOR_GRADIENT_BOTTOM));
    painter.fillRect(rect(), gradient);

    painter.setPen(getColor(COLOR_BORDER));
    painter.drawLine(0, h - 1, w, h - 1);

    painter.setRenderHint(QPainter::Antialiasing);

    const int base = int(m_position);
    for (int offset = -2; offset <= 2; ++offset)
        drawTitle(painter, base, offset);
}

void HeaderCarousel::drawTitle(QPainter &painter, int base, int offset)
{
    const int i = base + offset;
    if (i < 0 || i >= m_titles.size())
        return;

    const int h = height();
    const int w = titleWidth(i);
    const int centred = (width() - w) / 2;
    const double f = base - m_position;
    const double x = (centred - 10) * (offset + f + 1) + 10;
    // A carousel narrower than the title has no room to fade over; it shows the middle title only.
    const double fade = 1 - std::abs(x - centred) / qMax(centred, 1);
    if (fade <= -0.8)
        return;

    QColor colour;
    if (i == m_hover) {
        colour = getColor(COLOR_TEXT);
    } else {
        colour = getColor(COLOR_TEXT_SECONDARY);
        colour.setAlpha(int((fade * 0.5 + 0.5) * 255));
    }

    const int left = int(x);
    painter.setFont(m_font);
    painter.setPen(colour);
    painter.drawText(QRect(badgeSpace(i) + left, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter, m_titles[i]);

    if (i < BadgeCount) {
        QColor badge = colour;
        badge.setAlpha(int(colour.alpha() * 0.25));
        drawBadge(painter, i, QPoint(left, (h - 1 - 15) / 2), badge, font());
    }

    if (i == 0 && m_current == 0) {
        const int fx = int(x + w + 5.0);
        const int fy = (h - 1 - 11) / 2;
        const double opacity = isActive() ? 1.0 : (m_filterHover ? 0.5 : 0.2);
        painter.save();
        painter.setOpacity(opacity);
        Utils::renderSvg(":/icons/images/filter.svg", &painter, QRect(QPoint(fx, fy + 2), QPoint(fx + 11, fy + 13)), false);
        painter.restore();
    }
}

void HeaderCarousel::drawBadge(QPainter &painter, int n, QPoint at, QColor colour, const QFont &font)
{
    if (n < 0 || n >= BadgeCount)
        return;
    const QRect box(at.x(), at.y(), 16, 17);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(box), 2.0, 2.0);
    painter.fillPath(path, colour);
    painter.setFont(font);
    painter.setPen(getColor(COLOR_BACKGROUND));
    painter.drawText(box, Qt::AlignCenter, QString::number(n));
    painter.restore();
}

void HeaderCarousel::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const int oldHover = m_hover;
    const bool oldFilterHover = m_filterHover;

    if (m_current >= 1 && hitsTitle(m_current - 1, -1, point.x()))
        m_hover = m_current - 1;
    else if (hitsTitle(m_current + 1, 1, point.x()))
        m_hover = m_current + 1;
    else if (hitsTitle(m_current, 0, point.x()))
        m_hover = m_current;
    else
        m_hover = -1;

    if (m_current == 0)
        m_filterHover = filterHitArea().contains(point);

    if (m_hover != oldHover || m_filterHover != oldFilterHover)
        repaint();
}

void HeaderCarousel::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();

    if (m_hover >= 0 && m_hover < m_titles.size()) {
        if (m_hover != m_current)
            select(m_hover);
        else if (hitsTitle(m_current, 0, point.x()))
            showMenu(m_hover);
    }

    if (m_filterHover && filterHitArea().contains(point)) {
        m_filterHover = false;
        showFilterMenu();
    }

    QWidget::mousePressEvent(event);
}

void HeaderCarousel::leaveEvent(QEvent *event)
{
    m_hover = -1;
    m_filterHover = false;
    repaint();
    QWidget::leaveEvent(event);
}

void HeaderCarousel::showMenu(int index)
{
    if (index < 0 || index >= m_titles.size() || !parentWidget() || !parentWidget()->isVisible())
        return;

    QMenu menu(this);
    for (int i = 0; i < m_titles.size(); ++i) {
        QPixmap icon(16, 16);
        icon.fill(Qt::transparent);
        {
            QPainter painter(&icon);
            drawBadge(painter, i, QPoint(0, 0), getColor(COLOR_TEXT_SECONDARY), font());
        }
        QString title = m_titles[i];
        title.replace('&', "&&");
        QAction *action = menu.addAction(QIcon(icon), title);
        action->setEnabled(i != m_current);
        connect(action, &QAction::triggered, this, [this, i] { select(i); });
    }
    const int span = m_sizes[index].width() + 30;
    menu.exec(mapToGlobal(QPoint(width() / 2 - span / 2, height())));
}

QStringList HeaderCarousel::applicationNames(const QAbstractItemModel *history)
{
    QStringList names;
    if (!history)
        return names;
    QSet<QString> seen;
    for (int row = 0; row < history->rowCount(); ++row) {
        const QModelIndex index = history->index(row, 0);
        if (index.data(RemovedRole).toBool())
            continue;
        const QString name = index.data(ApplicationRole).toString();
        if (!seen.contains(name)) {
            seen.insert(name);
            names.append(name);
        }
    }
    names.sort();
    return names;
}

void HeaderCarousel::showFilterMenu()
{
    QMenu menu(this);

    if (isActive()) {
        menu.addAction(tr("Reset"), this, [this] {
            showLocked = false;
            showRecent = false;
            showApplications.clear();
            emit filterChanged();
        });
        menu.addSeparator();
    }

    QAction *locked = menu.addAction(tr("Show locked"));
    locked->setCheckable(true);
    locked->setChecked(showLocked);
    connect(locked, &QAction::toggled, this, [this](bool checked) {
        showLocked = checked;
        emit filterChanged();
    });

    QAction *recent = menu.addAction(tr("Show recent"));
    recent->setCheckable(true);
    recent->setChecked(showRecent);
    connect(recent, &QAction::toggled, this, [this](bool checked) {
        showRecent = checked;
        emit filterChanged();
    });

    const QStringList applications = applicationNames(HistoryItemModel::instance());
    if (!applications.isEmpty()) {
        menu.addSeparator();
        for (const QString &name : applications) {
            // A lone '&' in an action text marks a mnemonic; names are shown as they are.
            QString shown = name;
            shown.replace('&', "&&");
            QAction *application = menu.addAction(tr("Show '%1'").arg(shown));
            application->setCheckable(true);
            application->setChecked(showApplications.contains(name));
            connect(application, &QAction::toggled, this, [this, name](bool checked) {
                if (checked)
                    showApplications.insert(name);
                else
                    showApplications.remove(name);
                emit filterChanged();
            });
        }
    }

    // Below the filter icon: filterButtonPos() is the icon's top left corner.
    const QPoint icon = filterButtonPos();
    menu.exec(mapToGlobal(icon + QPoint(0, 12)));
}
