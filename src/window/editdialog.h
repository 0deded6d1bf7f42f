#pragma once

#include <QDialog>

namespace Ui {
class EditDialog;
}

// The small modal editor for the text of a clipping. It remembers its size between uses.
class EditDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EditDialog(QWidget *parent = nullptr);
    ~EditDialog() override;

    void setText(QString text);
    QString text() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::EditDialog *ui;
};
