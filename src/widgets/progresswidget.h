#pragma once

#include <QPointer>
#include <QWidget>

class QSvgRenderer;

// The animated spinner. The animation comes from the SVG itself and the renderer's frame timer.
class ProgressWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressWidget(QWidget *parent = nullptr);

    // (Re)loads the spinner, coloured for the program's theme, or for the system appearance when
    // followSystem is set. Run again after a theme change.
    void init(bool followSystem);

public slots:
    void repaintFrame();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void load();

    QPointer<QSvgRenderer> m_renderer;
    bool m_initialised = false;
    bool m_followSystem = false;
};
