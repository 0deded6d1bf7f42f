#pragma once

#include <QPointer>
#include <QWidget>

class QAbstractScrollArea;
class QResizeEvent;

// A thin, passive scroll indicator laid over the right edge of a scroll area. It takes no mouse
// input: clicks and wheel turns reach the view below.
class CustomScrollBar : public QWidget
{
    Q_OBJECT

public:
    explicit CustomScrollBar(QAbstractScrollArea *area);
    ~CustomScrollBar() override;

    QRect thumbRect() const;
    void onResize(QResizeEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QAbstractScrollArea *area() const;

    // Kept as a plain object: the bar dies with the area, while the area is no longer a scroll
    // area, and is then compared and unhooked without a cast.
    QPointer<QObject> m_area;
};
