#pragma once

#include <QLabel>
#include <QPixmap>

// An icon label whose click toggles a selected state, drawn from one monochrome icon in three
// shades: normal, hover and selected.
class ToggleLabel : public QLabel
{
    Q_OBJECT

public:
    ToggleLabel(QString iconName, QWidget *parent = nullptr);

    bool isSelected() const { return m_selected; }

signals:
    void clicked(bool selected);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showRestingPixmap();

    QPixmap m_normal;
    QPixmap m_hover;
    QPixmap m_selectedPixmap;
    bool m_selected = false;
};
