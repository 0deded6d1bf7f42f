#pragma once

#include <QMenu>

// A menu in which the left arrow steps back the way Escape does: it closes a submenu, or the
// menu itself at the top level.
class CustomMenu : public QMenu
{
    Q_OBJECT

public:
    CustomMenu(QString title, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
