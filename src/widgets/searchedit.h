#pragma once

#include <QLineEdit>

// The history window's search field. Down and Escape hand the keyboard back to the result list.
class SearchEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchEdit(QWidget *parent = nullptr);

signals:
    void leave();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
