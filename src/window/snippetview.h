#pragma once

#include <QListView>

// The snippets of one group. Return, Enter or a click on a row (through SnippetDelegate) emits
// activated(), which the window answers by pasting the snippet; a released letter goes up to the
// window, which pastes the snippet with that shortcut letter.
class SnippetView : public QListView
{
    Q_OBJECT

public:
    explicit SnippetView(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    // A double click is two clicks: the delegate already acts on each release.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
