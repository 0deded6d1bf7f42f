#pragma once

#include <QLineEdit>

// The history window's search field. Down and Escape hand the keyboard back to the result list;
// Return, on its release as in the lists, asks for the current result.
class SearchEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchEdit(QWidget *parent = nullptr);

signals:
    void leave();
    void returnReleased();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
