#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class ShortcutDialog;
}

// Asks for one key combination: a snippet's hotkey or an action's global shortcut.
class ShortcutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ShortcutDialog(QWidget *parent = nullptr);
    ~ShortcutDialog() override;

    // The captured combination as portable text; empty when nothing was captured.
    QString getShortcut();

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::ShortcutDialog> ui;
};
