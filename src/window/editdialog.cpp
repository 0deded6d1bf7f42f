#include "window/editdialog.h"
#include "ui_editdialog.h"

#include "common/utils.h"

EditDialog::EditDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::EditDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(tr("Edit clipping"));

    const QSize stored = Utils::settings().value("EditWindowSize").toSize();
    // An absent or unreadable value keeps the built-in size.
    if (stored.isValid() && !stored.isEmpty())
        resize(stored);

    connect(this, &QDialog::finished, this, [this] {
        Utils::settings().setValue("EditWindowSize", QSize(width(), height()));
    });
}

EditDialog::~EditDialog()
{
    delete ui;
}

void EditDialog::setText(QString text)
{
    ui->plainTextEdit->setPlainText(text);
}

QString EditDialog::text() const
{
    return ui->plainTextEdit->toPlainText();
}

void EditDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("Edit clipping"));
    }
    QDialog::changeEvent(event);
}
