#include "settings/snippetspage.h"
#include "ui_snippetspage.h"

#include "common/utils.h"

#include <QSettings>

SnippetsPage::SnippetsPage(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::SnippetsPage>())
{
    ui->setupUi(this);
}

SnippetsPage::~SnippetsPage() = default;

void SnippetsPage::setModel(SnippetModel *model)
{
    m_model = model;
}

void SnippetsPage::initialize()
{
    ui->requireKeywordSpace->setChecked(Utils::settings().value("RequireSpace").toBool());
}

void SnippetsPage::saveSettings(QSettings &settings)
{
    settings.setValue("RequireSpace", ui->requireKeywordSpace->isChecked());
}

void SnippetsPage::updateControls()
{
}

void SnippetsPage::prepareToShow()
{
}

void SnippetsPage::updateTheme()
{
}

void SnippetsPage::retranslateUi()
{
    ui->retranslateUi(this);
}
