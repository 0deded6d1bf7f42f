#include "widgets/shortcutdialog.h"
#include "ui_shortcutdialog.h"

#include <QKeySequence>

ShortcutDialog::ShortcutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ShortcutDialog>())
{
    ui->setupUi(this);
    setWindowTitle(tr("Set shortcut"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->keySequenceEdit, &QKeySequenceEdit::editingFinished, this, [this] {
        const QKeySequence sequence = ui->keySequenceEdit->keySequence();
        if (sequence.count() > 1)
            ui->keySequenceEdit->setKeySequence(QKeySequence(sequence[0]));
    });
}

ShortcutDialog::~ShortcutDialog() = default;

QString ShortcutDialog::getShortcut()
{
    return ui->keySequenceEdit->keySequence().toString(QKeySequence::PortableText);
}

void ShortcutDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("Set shortcut"));
    }
    QDialog::changeEvent(event);
}
