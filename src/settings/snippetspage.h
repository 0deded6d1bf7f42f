#pragma once

#include <QWidget>

#include <memory>

class QSettings;
class SnippetModel;

namespace Ui {
class SnippetsPage;
}

// The snippets page of the settings dialog: the keyword option today; the group and snippet
// editing joins it here. Snippet edits go straight into the model; the dialog saves the model on
// OK and reloads it on Cancel.
class SnippetsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SnippetsPage(QWidget *parent = nullptr);
    ~SnippetsPage() override;

    void setModel(SnippetModel *model);
    // Loads the page's controls from the settings store (construction and Cancel).
    void initialize();
    // Writes the page's keys with the dialog's own, before the settings-changed signal.
    void saveSettings(QSettings &settings);
    void updateControls();
    // The dialog is being shown.
    void prepareToShow();
    void updateTheme();
    void retranslateUi();

private:
    std::unique_ptr<Ui::SnippetsPage> ui;
    SnippetModel *m_model = nullptr;
};
