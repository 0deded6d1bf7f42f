#include "settings/delaydialog.h"
#include "ui_delaydialog.h"

DelayDialog::DelayDialog(QWidget *parent, int value)
    : QDialog(parent)
    , ui(std::make_unique<Ui::DelayDialog>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->horizontalSlider, &QSlider::valueChanged, ui->spinBox, &QSpinBox::setValue);
    connect(ui->spinBox, &QSpinBox::valueChanged, ui->horizontalSlider, &QSlider::setValue);
    ui->horizontalSlider->setValue(value);
    ui->spinBox->setValue(value);
}

DelayDialog::~DelayDialog() = default;

int DelayDialog::getValue()
{
    return ui->spinBox->value();
}

void DelayDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
