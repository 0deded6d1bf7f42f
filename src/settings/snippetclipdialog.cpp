#include "settings/snippetclipdialog.h"
#include "ui_snippetclipdialog.h"

#include "common/utils.h"
#include "snippets/utilskeywords.h"

#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

SnippetClipDialog::SnippetClipDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::SnippetClipDialog>())
{
    ui->setupUi(this);
    // A stored limit below 1 would leave no position to choose.
    ui->indexSpinBox->setRange(1, std::max(1, Utils::settings().value("KeepItems").toInt()));

    connect(ui->regexp, &QRadioButton::toggled, this, &SnippetClipDialog::updateOkButton);
    connect(ui->regexpLineEdit, &QLineEdit::textChanged, this, &SnippetClipDialog::updateOkButton);
}

SnippetClipDialog::~SnippetClipDialog() = default;

// A placeholder ends at its first "}", an expression that does not compile matches nothing, and
// one that reads as a number names a position instead: each would paste the placeholder's text
// instead of the clipping that matches.
void SnippetClipDialog::updateOkButton()
{
    const QString text = ui->regexpLineEdit->text();
    const bool usable = !ui->regexp->isChecked() || text.isEmpty()
        || (!text.contains('}') && Utils::clipPosition(text) == 0 && QRegularExpression(text).isValid());
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(usable);
}

QString SnippetClipDialog::getResult()
{
    if (result() != QDialog::Accepted)
        return QString();
    if (ui->index->isChecked())
        return QString("{CLIP:%1}").arg(ui->indexSpinBox->value());
    if (ui->regexp->isChecked() && !ui->regexpLineEdit->text().isEmpty())
        return QString("{CLIP:%1}").arg(ui->regexpLineEdit->text());
    return "{CLIP}";
}

void SnippetClipDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
