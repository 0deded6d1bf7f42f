#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class SnippetClipDialog;
}

// Asks which clipping a snippet placeholder stands for: the current one, the one at a position of
// the history, or the newest one that matches a regular expression.
class SnippetClipDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SnippetClipDialog(QWidget *parent = nullptr);
    ~SnippetClipDialog() override;

    // "{CLIP}", "{CLIP:<position>}" or "{CLIP:<expression>}"; empty unless the dialog was accepted.
    QString getResult();

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateOkButton();

    std::unique_ptr<Ui::SnippetClipDialog> ui;
};
