#pragma once

#include <QFrame>
#include <QString>

// A multi-line label that cuts its last visible line with an ellipsis and then offers the whole
// text as its tooltip.
class ElidedLabel : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool isElided READ isElided)

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_content; }
    bool isElided() const { return m_elided; }

signals:
    void elisionChanged(bool elided);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_content;
    bool m_elided = false;
};
