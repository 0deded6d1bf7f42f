#pragma once

#include "history/historyfilterstate.h"

#include <QFont>
#include <QList>
#include <QSize>
#include <QStringList>
#include <QWidget>

class QAbstractItemModel;
class QTimer;

// The title strip of the history window: the selected page title in the middle, its neighbours at
// the edges, sliding from one to the next. It also holds the history filter (its public
// HistoryFilterState: showLocked, showRecent, showApplications) that the history filter reads.
class HeaderCarousel : public QWidget, public HistoryFilterState
{
    Q_OBJECT

public:
    explicit HeaderCarousel(QWidget *parent = nullptr);

    void setTitles(QStringList titles);
    QStringList titles() const { return m_titles; }
    int current() const { return m_current; }
    double position() const { return m_position; }
    int hover() const { return m_hover; }
    bool filterHover() const { return m_filterHover; }

    // Where the filter menu opens, in the carousel's coordinates.
    QPoint filterButtonPos() const;
    // The area that opens the filter menu; empty unless the history page is current.
    QRect filterHitArea() const;

    // The source applications of the clippings that are not removed, each once, sorted by name
    // so the menu keeps its order from run to run.
    static QStringList applicationNames(const QAbstractItemModel *history);

public slots:
    void select(int tab);
    void next();
    void prev();
    void onTimeout();
    void showMenu(int selected);
    void showFilterMenu();

signals:
    void selected(int tab);
    void filterChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int titleWidth(int i) const;
    // The span of title i at place -1 (left), 0 (middle) or 1 (right): hit when left < x < right.
    bool hitsTitle(int i, int place, int x) const;
    void drawTitle(QPainter &painter, int base, int offset);
    static void drawBadge(QPainter &painter, int n, QPoint at, QColor colour, const QFont &font);

    QStringList m_titles;
    QList<QSize> m_sizes;
    double m_position = 0.0;
    int m_current = 0;
    int m_hover = -1;
    bool m_filterHover = false;
    QFont m_font;
    QTimer *m_timer;
};
