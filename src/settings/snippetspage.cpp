#include "settings/snippetspage.h"
#include "ui_snippetspage.h"

#include "actions/actioncatalogue.h"
#include "actions/actionhelpers.h"
#include "common/safefile.h"
#include "common/theme.h"
#include "common/utils.h"
#include "history/itemrole.h"
#include "widgets/shortcutdialog.h"
#include "settings/snippetclipdialog.h"
#include "snippets/snippetmodel.h"
#include "widgets/svgicons.h"

#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>
#include <array>

namespace {

const char *const FileFilter = QT_TRANSLATE_NOOP("SnippetsPage", "JSON files (*.json);;All files (*.*);");

// The entries of the options menu, in menu order.
enum SettingsEntry { HideEntry, HotkeyEntry, KeywordEntry };

} // namespace

SnippetsPage::SnippetsPage(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::SnippetsPage>())
{
    ui->setupUi(this);

    const std::array<std::pair<QToolButton *, const char *>, 11> icons{{
        {ui->addGroup, ":/icons/images/ic_add.svg"},
        {ui->removeGroup, ":/icons/images/ic_remove.svg"},
        {ui->editGroup, ":/icons/images/ic_edit.svg"},
        {ui->upGroup, ":/icons/images/ic_up.svg"},
        {ui->downGroup, ":/icons/images/ic_down.svg"},
        {ui->addSnippet, ":/icons/images/ic_add.svg"},
        {ui->removeSnippet, ":/icons/images/ic_remove.svg"},
        {ui->editSnippet, ":/icons/images/ic_edit.svg"},
        {ui->upSnippet, ":/icons/images/ic_up.svg"},
        {ui->downSnippet, ":/icons/images/ic_down.svg"},
        {ui->moveSnippet, ":/icons/images/move.svg"},
    }};
    for (const auto &[button, path] : icons)
        button->setIcon(Utils::svg2icon(path, true));
    const std::array<std::pair<QLabel *, const char *>, 3> stateIcons{{
        {ui->iconExpand, ":/icons/images/ic_expand-bg.svg"},
        {ui->iconHotkey, ":/icons/images/ic_command-bg.svg"},
        {ui->iconHideContent, ":/icons/images/ic_invisible-bg.svg"},
    }};
    for (const auto &[label, path] : stateIcons)
        label->setPixmap(Utils::svg2icon(path, false).pixmap(QSize(16, 16), devicePixelRatioF()));

    connect(ui->addGroup, &QAbstractButton::clicked, this, &SnippetsPage::addGroup);
    connect(ui->removeGroup, &QAbstractButton::clicked, this, &SnippetsPage::removeGroup);
    connect(ui->editGroup, &QAbstractButton::clicked, this, &SnippetsPage::editGroup);
    connect(ui->upGroup, &QAbstractButton::clicked, this, &SnippetsPage::upGroup);
    connect(ui->downGroup, &QAbstractButton::clicked, this, &SnippetsPage::downGroup);
    connect(ui->exportButton, &QAbstractButton::clicked, this, &SnippetsPage::exportSnippets);
    connect(ui->importButton, &QAbstractButton::clicked, this, &SnippetsPage::importSnippets);
    connect(ui->addSnippet, &QAbstractButton::clicked, this, &SnippetsPage::addSnippet);
    connect(ui->removeSnippet, &QAbstractButton::clicked, this, &SnippetsPage::removeSnippet);
    connect(ui->editSnippet, &QAbstractButton::clicked, this, &SnippetsPage::editSnippet);
    connect(ui->upSnippet, &QAbstractButton::clicked, this, &SnippetsPage::upSnippet);
    connect(ui->downSnippet, &QAbstractButton::clicked, this, &SnippetsPage::downSnippet);
    connect(ui->moveSnippet, &QAbstractButton::clicked, this, &SnippetsPage::moveSnippet);
    connect(ui->textSnippet, &QTextEdit::textChanged, this, &SnippetsPage::changedSnippet);

    // A title typed into a list is an edit like any other: sync keeps the newer one.
    connect(ui->listGroups->itemDelegate(), &QAbstractItemDelegate::commitData, this, [this] { touch(currentGroup()); });
    connect(ui->listSnippets->itemDelegate(), &QAbstractItemDelegate::commitData, this,
            [this] { touch(currentSnippet()); });
}

SnippetsPage::~SnippetsPage() = default;

void SnippetsPage::setModel(SnippetModel *model)
{
    m_model = model;
    if (!model) {
        updateControls();
        return;
    }
    ui->listGroups->setModel(model);
    ui->listSnippets->setModel(model);
    connect(ui->listGroups->selectionModel(), &QItemSelectionModel::selectionChanged, this, &SnippetsPage::selectionGroup);
    connect(ui->listSnippets->selectionModel(), &QItemSelectionModel::selectionChanged, this, &SnippetsPage::selectionSnippet);

    connect(model, &QAbstractItemModel::modelReset, this, &SnippetsPage::keepGroupShown);
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &parent) {
        if (!parent.isValid())
            keepGroupShown();
    });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &parent) {
        if (!parent.isValid()) {
            keepGroupShown();
        } else if (parent == currentGroup() && !currentSnippet().isValid()) {
            // The current snippet went (a sync or an import replaced it): its text must not stay
            // in the editor as if it were still there.
            loadSnippetText(QModelIndex());
            updateControls();
        }
    });
    keepGroupShown();
    updateControls();
}

void SnippetsPage::initialize()
{
    ui->requireKeywordSpace->setChecked(Utils::settings().value("RequireSpace").toBool());
    createSnippetSettingsMenu();
    updateSnippetSettingsMenu();
    createSnippetInsertMenu();
}

void SnippetsPage::saveSettings(QSettings &settings)
{
    settings.setValue("RequireSpace", ui->requireKeywordSpace->isChecked());
}

QModelIndex SnippetsPage::currentGroup() const
{
    if (!m_model)
        return QModelIndex();
    const QModelIndex group = ui->listGroups->currentIndex();
    return group.isValid() && !group.parent().isValid() ? group : QModelIndex();
}

QModelIndex SnippetsPage::currentSnippet() const
{
    const QModelIndex group = currentGroup();
    const QModelIndex snippet = ui->listSnippets->currentIndex();
    return group.isValid() && snippet.isValid() && snippet.parent() == group ? snippet : QModelIndex();
}

QStandardItem *SnippetsPage::newItem(const QString &title) const
{
    auto *item = new QStandardItem;
    item->setData(title, Qt::DisplayRole);
    item->setData(QDateTime::currentDateTime(), TimeRole);
    item->setData(QUuid::createUuid(), IdRole);
    return item;
}

void SnippetsPage::loadSnippetText(const QModelIndex &snippet)
{
    m_loading = true;
    if (snippet.isValid())
        ui->textSnippet->setAndFormatText(snippet.data(TextRole).toString());
    else
        ui->textSnippet->clear();
    m_loading = false;
}

void SnippetsPage::showGroup(const QModelIndex &group)
{
    ui->listSnippets->setRootIndex(group);
    const QModelIndex first = group.isValid() ? m_model->index(0, 0, group) : QModelIndex();
    if (first.isValid())
        ui->listSnippets->setCurrentIndex(first);
    else
        ui->listSnippets->selectionModel()->clear();
    loadSnippetText(currentSnippet());
}

void SnippetsPage::keepGroupShown()
{
    if (!m_model)
        return;
    if (currentGroup().isValid())
        return;
    if (m_model->rowCount() > 0)
        ui->listGroups->setCurrentIndex(m_model->index(0, 0));
    else
        showGroup(QModelIndex());
    updateControls();
}

void SnippetsPage::prepareToShow()
{
    if (m_model) {
        const QModelIndex first = m_model->index(0, 0);
        if (first.isValid())
            ui->listGroups->setCurrentIndex(first);
        showGroup(first);
    }
    updateControls();
}

void SnippetsPage::selectionGroup(const QItemSelection &selection)
{
    if (!selection.indexes().isEmpty())
        showGroup(selection.indexes().first());
    updateControls();
}

// The editor always shows the current snippet, the one its typing goes to: a removal or a click
// with Control can take the selection away from a snippet that stays current.
void SnippetsPage::selectionSnippet(const QItemSelection &)
{
    loadSnippetText(currentSnippet());
    updateControls();
}

void SnippetsPage::changedSnippet()
{
    const QModelIndex snippet = currentSnippet();
    if (m_loading || !snippet.isValid())
        return;
    const QString text = ui->textSnippet->convertToPlainText();
    m_model->setData(snippet, text, TextRole);
    m_model->setData(snippet, text, Qt::ToolTipRole);
    touch(snippet);
}

void SnippetsPage::addGroup()
{
    if (!m_model)
        return;
    QStandardItem *group = newItem("New group");
    m_model->appendRow(group);
    ui->listGroups->setCurrentIndex(group->index());
    ui->listGroups->edit(group->index());
}

void SnippetsPage::removeGroup()
{
    const QModelIndex group = currentGroup();
    if (!group.isValid())
        return;
    loadSnippetText(QModelIndex());
    m_model->removeRows(group.row(), 1);
    showGroup(currentGroup());
    updateControls();
}

void SnippetsPage::editGroup()
{
    editName(ui->listGroups, currentGroup());
}

void SnippetsPage::upGroup()
{
    moveGroup(-1);
}

void SnippetsPage::downGroup()
{
    moveGroup(1);
}

void SnippetsPage::moveGroup(int offset)
{
    const QModelIndex group = currentGroup();
    if (!group.isValid())
        return;
    const int row = group.row();
    const int target = row + offset;
    if (target < 0 || target >= m_model->rowCount())
        return;
    touch(group);
    // Taken, not removed: the group lives on, so it is no removal for sync.
    const QList<QStandardItem *> items = m_model->takeRow(row);
    m_model->insertRow(target, items);
    ui->listGroups->setCurrentIndex(m_model->index(target, 0));
}

void SnippetsPage::addSnippet()
{
    const QModelIndex group = currentGroup();
    if (!group.isValid())
        return;
    QStandardItem *snippet = newItem("New snippet");
    m_model->itemFromIndex(group)->appendRow(snippet);
    ui->listSnippets->setCurrentIndex(snippet->index());
    ui->listSnippets->edit(snippet->index());
}

void SnippetsPage::removeSnippet()
{
    const QModelIndex snippet = currentSnippet();
    if (!snippet.isValid())
        return;
    loadSnippetText(QModelIndex());
    m_model->removeRows(snippet.row(), 1, snippet.parent());
    loadSnippetText(currentSnippet());
    updateControls();
}

void SnippetsPage::editSnippet()
{
    editName(ui->listSnippets, currentSnippet());
}

void SnippetsPage::editName(QListView *list, const QModelIndex &index)
{
    if (!index.isValid())
        return;
    touch(index);
    list->edit(index);
}

void SnippetsPage::touch(const QModelIndex &index)
{
    if (index.isValid())
        m_model->setData(index, QDateTime::currentDateTime(), TimeRole);
}

void SnippetsPage::upSnippet()
{
    swapSnippet(-1);
}

void SnippetsPage::downSnippet()
{
    swapSnippet(1);
}

// The items stay in place and their data trade places. The moved snippet counts as changed: a merge
// elsewhere places only newer snippets, so it must carry its new place however far it goes.
void SnippetsPage::swapSnippet(int offset)
{
    const QModelIndex snippet = currentSnippet();
    if (!snippet.isValid())
        return;
    const QModelIndex neighbour = snippet.sibling(snippet.row() + offset, 0);
    if (!neighbour.isValid())
        return;
    const QMap<int, QVariant> moved = m_model->itemData(snippet);
    const QMap<int, QVariant> other = m_model->itemData(neighbour);
    // Writing item data keeps the roles it does not name; a hotkey must not stay behind on both.
    m_model->clearItemData(neighbour);
    m_model->setItemData(neighbour, moved);
    m_model->clearItemData(snippet);
    m_model->setItemData(snippet, other);
    touch(neighbour);
    ui->listSnippets->setCurrentIndex(neighbour);
}

void SnippetsPage::moveSnippet()
{
    const QModelIndex current = currentGroup();
    if (!currentSnippet().isValid())
        return;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QPersistentModelIndex group = m_model->index(row, 0);
        QAction *action = menu->addAction(group.data(Qt::DisplayRole).toString());
        action->setEnabled(group != current);
        connect(action, &QAction::triggered, this, [this, group] { moveSnippetTo(group); });
    }
    menu->popup(ui->moveSnippet->mapToGlobal(QPoint(0, 24)));
}

void SnippetsPage::moveSnippetTo(const QModelIndex &target)
{
    const QModelIndex snippet = currentSnippet();
    if (!snippet.isValid() || !target.isValid() || target.parent().isValid() || target == snippet.parent())
        return;
    qDebug() << "Moving '" << snippet.data(Qt::DisplayRole).toString() << "' to '" << target.data(Qt::DisplayRole).toString()
             << "'";

    const QPersistentModelIndex source = snippet.parent();
    const QPersistentModelIndex above = snippet.sibling(snippet.row() - 1, 0);
    // Taken, not removed: the snippet lives on with its id, so it is no removal for sync.
    QStandardItem *item = m_model->itemFromIndex(source)->takeRow(snippet.row()).value(0);
    item->setData(QDateTime::currentDateTime(), TimeRole);
    m_model->itemFromIndex(target)->appendRow(item);

    const QModelIndex next = above.isValid() ? QModelIndex(above) : m_model->index(0, 0, source);
    if (next.isValid())
        ui->listSnippets->setCurrentIndex(next);
    else
        ui->listSnippets->selectionModel()->clear();
    loadSnippetText(currentSnippet());
    updateControls();
}

void SnippetsPage::createSnippetSettingsMenu()
{
    delete m_settingsMenu;
    m_settingsMenu = new QMenu(this);
    m_settingsMenu->addAction(Utils::svg2icon(":/icons/images/ic_invisible.svg", true), QString(), this,
                              &SnippetsPage::toggleHidden);
    m_settingsMenu->addAction(Utils::svg2icon(":/icons/images/ic_command.svg", true), QString(), this,
                              &SnippetsPage::toggleHotkey);
    m_settingsMenu->addAction(Utils::svg2icon(":/icons/images/ic_expand.svg", true), QString(), this,
                              &SnippetsPage::toggleKeyword);
    ui->snippetSettings->setMenu(m_settingsMenu);
}

void SnippetsPage::updateSnippetSettingsMenu()
{
    const QModelIndex snippet = currentSnippet();
    const bool hidden = snippet.data(HideRole).toBool();
    const QString hotkey = snippet.data(HotkeyRole).toString();
    const QString keyword = snippet.data(ExpanderRole).toString();

    if (m_settingsMenu && ui->snippetSettings->menu()) {
        const QList<QAction *> entries = m_settingsMenu->actions();
        entries.at(HideEntry)->setText(hidden ? tr("Show content") : tr("Hide content"));
        entries.at(HotkeyEntry)->setText(hotkey.isEmpty() ? tr("Set shortcut") : tr("Clear shortcut"));
        entries.at(KeywordEntry)->setText(keyword.isEmpty() ? tr("Set expand keyword") : tr("Clear expand keyword"));
    }
    ui->snippetSettings->setEnabled(snippet.isValid());
    ui->snippetInsert->setEnabled(snippet.isValid());
    ui->iconHideContent->setVisible(hidden);
    ui->iconHotkey->setVisible(!hotkey.isEmpty());
    ui->iconHotkey->setToolTip(hotkey);
    ui->iconExpand->setVisible(!keyword.isEmpty());
    ui->iconExpand->setToolTip(keyword);
}

void SnippetsPage::toggleHidden()
{
    if (const QModelIndex snippet = currentSnippet(); snippet.isValid())
        m_model->setData(snippet, !snippet.data(HideRole).toBool(), HideRole);
    updateSnippetSettingsMenu();
}

void SnippetsPage::toggleHotkey()
{
    // The model may change while the dialog is open.
    const QPersistentModelIndex snippet = currentSnippet();
    if (!snippet.isValid())
        return;
    if (!snippet.data(HotkeyRole).toString().isEmpty()) {
        m_model->setData(snippet, QString(), HotkeyRole);
    } else {
        ShortcutDialog dialog(window());
        if (dialog.exec() == QDialog::Accepted && snippet.isValid())
            m_model->setData(snippet, dialog.getShortcut(), HotkeyRole);
    }
    updateSnippetSettingsMenu();
}

void SnippetsPage::toggleKeyword()
{
    const QPersistentModelIndex snippet = currentSnippet();
    if (!snippet.isValid())
        return;
    if (!snippet.data(ExpanderRole).toString().isEmpty()) {
        m_model->setData(snippet, QString(), ExpanderRole);
    } else {
        bool ok = false;
        QString keyword = QInputDialog::getText(window(), tr("Set keyword"),
                                                tr("Give the keyword which will be\nautomatically replaced with the snippet."),
                                                QLineEdit::Normal, QString(), &ok);
        static const QRegularExpression space(QStringLiteral("\\s"));
        keyword.remove(space);
        if (ok && !keyword.isEmpty() && snippet.isValid())
            m_model->setData(snippet, keyword, ExpanderRole);
    }
    updateSnippetSettingsMenu();
}

void SnippetsPage::createSnippetInsertMenu()
{
    delete m_insertMenu;
    m_insertMenu = new QMenu(this);
    m_insertMenu->addAction(QIcon(":/icons/images/paste_plain.png"), tr("Clipping..."), this, &SnippetsPage::insertClipping);
    m_insertMenu->addAction(Utils::svg2icon(":/icons/images/cursor.svg", true), tr("Cursor"), this, [this] {
        ui->textSnippet->setSnippetCursor();
        ui->textSnippet->setFocus();
    });

    const QIcon actionIcon(":/icons/images/action.png");
    QMenu *actions = m_insertMenu->addMenu(actionIcon, tr("Action"));
    QSettings settings = Utils::settings();
    const QMap<QString, QString> titles = ActionCatalogue::titles(settings);
    QStringList keys = titles.keys();
    std::sort(keys.begin(), keys.end(), actionLessThan);
    for (const QString &key : std::as_const(keys)) {
        const QString title = titles.value(key);
        actions->addAction(actionIcon, QCoreApplication::translate("ActionList", title.toUtf8().constData()), this,
                           [this, title] {
                               ui->textSnippet->insertImage("{" + title + "}");
                               ui->textSnippet->setFocus();
                           });
    }
    ui->snippetInsert->setMenu(m_insertMenu);
}

void SnippetsPage::insertClipping()
{
    SnippetClipDialog dialog(window());
    dialog.exec();
    const QString placeholder = dialog.getResult();
    if (placeholder.isEmpty())
        return;
    ui->textSnippet->insertImage(placeholder);
    ui->textSnippet->setFocus();
}

QString SnippetsPage::snippetFolder()
{
    // Many desktops have no desktop folder; a proposal inside a missing folder could not be saved.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

void SnippetsPage::exportSnippets()
{
    if (!m_model)
        return;
    const QString proposed = snippetFolder() + "/Snippets-" + QDate::currentDate().toString("yyyy-MM-dd") + ".json";
    const QString path = QFileDialog::getSaveFileName(this, tr("Save snippets"), proposed, tr(FileFilter));
    if (path.isEmpty())
        return;
    QString error;
    if (!SafeFile::write(path, m_model->serialize(false), &error)) {
        qWarning().noquote() << "Exporting snippets to" << path << "failed:" << error;
        QMessageBox::warning(this, tr("Export error"), tr("Failed to export the snippets to ") + path + "\n" + error,
                             QMessageBox::Ok);
        return;
    }
    qDebug().noquote() << "Exported snippets to " + path;
}

void SnippetsPage::importSnippets()
{
    if (!m_model)
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Load snippets"), snippetFolder(), tr(FileFilter));
    if (path.isEmpty())
        return;
    const auto failed = [this, &path](const QString &reason) {
        qWarning().noquote() << "Importing snippets from" << path << "failed:" << reason;
        QMessageBox::warning(this, tr("Import error"), tr("Failed to import the snippets from ") + path + "\n" + reason,
                             QMessageBox::Ok);
    };

    QFile file(path);
    QString error;
    if (!SafeFile::openForReading(&file, &error)) {
        failed(error);
        return;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        failed(file.errorString());
        return;
    }
    file.close();

    // Nothing is merged or saved from a file that is not a snippet document.
    QJsonParseError parseError;
    QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        failed(tr("The file is not valid JSON: %1 at byte %2.").arg(parseError.errorString()).arg(parseError.offset));
        return;
    }
    const int count = m_model->deserialize(data, true);
    if (count < 0) {
        qWarning().noquote() << "Nothing was imported from" << path;
        return;
    }
    qDebug() << "Imported " << count << " snippets from " << path;
    m_model->save(true, nullptr);
    updateControls();
}

void SnippetsPage::updateControls()
{
    const QModelIndex group = currentGroup();
    const QModelIndex snippet = currentSnippet();
    const int groupCount = m_model ? m_model->rowCount() : 0;
    const int snippetCount = group.isValid() ? m_model->rowCount(group) : 0;

    const bool hasModel = m_model != nullptr;
    ui->addGroup->setEnabled(hasModel);
    ui->importButton->setEnabled(hasModel);
    ui->exportButton->setEnabled(hasModel);
    ui->removeGroup->setEnabled(group.isValid());
    ui->editGroup->setEnabled(group.isValid());
    ui->upGroup->setEnabled(group.isValid() && group.row() >= 1);
    ui->downGroup->setEnabled(group.isValid() && group.row() < groupCount - 1);
    ui->addSnippet->setEnabled(group.isValid());
    ui->removeSnippet->setEnabled(snippet.isValid());
    ui->editSnippet->setEnabled(snippet.isValid());
    ui->textSnippet->setEnabled(snippet.isValid());
    ui->upSnippet->setEnabled(snippet.isValid() && snippet.row() >= 1);
    ui->downSnippet->setEnabled(snippet.isValid() && snippet.row() < snippetCount - 1);
    ui->moveSnippet->setEnabled(snippet.isValid() && groupCount >= 2);
    updateSnippetSettingsMenu();
}

void SnippetsPage::updateTheme()
{
    const QString styleSheet = "QToolButton {border: none;} QToolButton:hover {background-color: rgb("
        + getColorString(COLOR_SELECTED) + ");} QToolButton:pressed {background-color: rgb("
        + getColorString(COLOR_TEXT_TERTIARY) + ");} ";
    for (QToolButton *button : findChildren<QToolButton *>())
        button->setStyleSheet(styleSheet);
}

void SnippetsPage::retranslateUi()
{
    ui->retranslateUi(this);
    createSnippetInsertMenu();
    updateSnippetSettingsMenu();
}
