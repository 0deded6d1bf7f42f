#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class DelayDialog;
}

// Asks for an application's keyword expansion delay, 0 to 2000 ms, on a slider and a spin box
// that always show the same value.
class DelayDialog : public QDialog
{
    Q_OBJECT

public:
    DelayDialog(QWidget *parent, int value);
    ~DelayDialog() override;

    int getValue();

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::DelayDialog> ui;
};
