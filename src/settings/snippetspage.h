#pragma once

#include <QItemSelection>
#include <QModelIndex>
#include <QPointer>
#include <QWidget>

#include <memory>

class QListView;
class QMenu;
class QSettings;
class QStandardItem;
class SnippetModel;

namespace Ui {
class SnippetsPage;
}

// The snippets page of the settings dialog: the groups, the snippets of the current group and the
// text of the current snippet, the snippet's options, placeholders to insert, and export and import
// of the whole store. Edits go straight into the model; the dialog saves the model on OK and
// reloads it on Cancel, while an import is saved at once.
class SnippetsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SnippetsPage(QWidget *parent = nullptr);
    ~SnippetsPage() override;

    void setModel(SnippetModel *model);
    // Loads the page's controls from the settings store and builds its menus (construction and
    // Cancel).
    void initialize();
    // Writes the page's keys with the dialog's own, before the settings-changed signal.
    void saveSettings(QSettings &settings);
    void updateControls();
    // The dialog is being shown: the first group and its first snippet become current.
    void prepareToShow();
    void updateTheme();
    void retranslateUi();

    void createSnippetSettingsMenu();
    void updateSnippetSettingsMenu();
    void createSnippetInsertMenu();

public slots:
    void selectionGroup(const QItemSelection &selection);
    void addGroup();
    void removeGroup();
    void editGroup();
    void upGroup();
    void downGroup();
    void importSnippets();
    void exportSnippets();
    void selectionSnippet(const QItemSelection &selection);
    void addSnippet();
    void removeSnippet();
    void editSnippet();
    void changedSnippet();
    void upSnippet();
    void downSnippet();
    void moveSnippet();

private:
    QModelIndex currentGroup() const;
    QModelIndex currentSnippet() const;
    void showGroup(const QModelIndex &group);
    // Keeps a group current whenever there is one, so the snippet list never shows the groups.
    void keepGroupShown();
    // Opens the item's name for editing; the item counts as changed now.
    void editName(QListView *list, const QModelIndex &index);
    void touch(const QModelIndex &index);
    void moveGroup(int offset);
    void swapSnippet(int offset);
    void moveSnippetTo(const QModelIndex &target);
    QStandardItem *newItem(const QString &title) const;
    void loadSnippetText(const QModelIndex &snippet);
    void toggleHidden();
    void toggleHotkey();
    void toggleKeyword();
    void insertClipping();
    static QString snippetFolder();

    std::unique_ptr<Ui::SnippetsPage> ui;
    SnippetModel *m_model = nullptr;
    // Set while a snippet's text is put into the editor, so the load is not written back.
    bool m_loading = false;
    QPointer<QMenu> m_settingsMenu;
    QPointer<QMenu> m_insertMenu;
};
