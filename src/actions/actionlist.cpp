#include "actions/actionlist.h"

#include "actions/actioncatalogue.h"
#include "actions/actioneditor.h"
#include "actions/actionfile.h"
#include "common/theme.h"
#include "common/utils.h"
#include "history/itemrole.h"
#include "widgets/shortcutdialog.h"
#include "widgets/svgicons.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const QSize CommandSize(16, 16);
const QSize BadgeSize(24, 24);

// Built-in titles and descriptions have translations under this context; a user's text falls
// through unchanged.
QString translated(const QVariant &text)
{
    return QCoreApplication::translate("ActionList", text.toString().toUtf8().constData());
}

QLabel *iconLabel(const QString &icon, QSize size, const QString &toolTip)
{
    auto *label = new QLabel;
    label->setPixmap(Utils::svg2icon(icon, true).pixmap(size));
    label->setToolTip(toolTip);
    return label;
}

} // namespace

ActionList::ActionList(QWidget *parent)
    : QListWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setSortingEnabled(false);
    scanFiles();
}

void ActionList::scanFiles()
{
    const int scrolled = verticalScrollBar()->value();

    QHash<QString, QListWidgetItem *> previous;
    while (count() > 0) {
        QListWidgetItem *item = takeItem(0);
        previous.insert(item->data(FileNameRole).toString(), item);
    }

    QSettings settings = Utils::settings();
    const QList<ActionCatalogue::Entry> entries = ActionCatalogue::listedActions();
    const QStringList hidden = ActionCatalogue::hiddenActions(settings);
    const QMap<QString, QString> shortcuts = ActionCatalogue::shortcuts(settings);
    for (const ActionCatalogue::Entry &entry : entries) {
        QListWidgetItem *old = previous.value(entry.key);
        QListWidgetItem *item = old ? updateItem(old, entry.key, entry.action)
                                    : createItem(entry.key, entry.action, hidden.contains(entry.key),
                                                 shortcuts.value(entry.key));
        addItem(item);
        updateItemWidget(item);
    }
    ActionCatalogue::writeTitles(settings, entries);

    // Laid out now, so that the range reaches the old place.
    doItemsLayout();
    verticalScrollBar()->setValue(scrolled);
    qDeleteAll(previous);
}

void ActionList::saveSettings(QSettings &settings)
{
    QStringList hidden;
    QMap<QString, QString> shortcuts;
    for (int row = 0; row < count(); ++row) {
        const QListWidgetItem *entry = item(row);
        const QString key = entry->data(FileNameRole).toString();
        if (entry->data(HiddenActionRole).toBool())
            hidden.append(key);
        shortcuts.insert(key, entry->data(HotkeyRole).toString());
    }
    ActionCatalogue::writeMenuSettings(settings, hidden, shortcuts);
}

void ActionList::reload()
{
    clear();
    scanFiles();
}

QListWidgetItem *ActionList::createItem(const QString &key, const QJsonObject &action, bool hidden,
                                        const QString &shortcut)
{
    auto *item = new QListWidgetItem;
    item->setData(TextRole, action.value(QStringLiteral("script")).toString());
    item->setData(FileNameRole, key);
    item->setData(TitleRole, action.value(QStringLiteral("title")).toString());
    item->setData(DescriptionRole, action.value(QStringLiteral("description")).toString());
    item->setData(InputRole, action.value(QStringLiteral("input")).toString());
    item->setData(FailedRole, action.value(QStringLiteral("failed")).toBool());
    item->setData(HiddenActionRole, hidden);
    item->setData(HotkeyRole, shortcut);
    qDebug().noquote() << item->data(TitleRole).toString();
    qDebug().noquote() << item->data(DescriptionRole).toString();
    return item;
}

QListWidgetItem *ActionList::updateItem(QListWidgetItem *old, const QString &key, const QJsonObject &action)
{
    return createItem(key, action, old->data(HiddenActionRole).toBool(), old->data(HotkeyRole).toString());
}

void ActionList::updateItemWidget(QListWidgetItem *item)
{
    QWidget *widget = createItemWidget(item);
    // The old row widget goes later: this may run from its own menu.
    setItemWidget(item, widget);
    updateSizeHint(item);
}

void ActionList::updateSizeHint(QListWidgetItem *item)
{
    const QWidget *widget = itemWidget(item);
    // Rows are laid out as they are added, before their widgets are set.
    if (!widget)
        return;
    QSize hint = widget->minimumSizeHint();
    // A description wrapped to a second line needs the height it takes at the list's width.
    if (hint.isValid() && widget->hasHeightForWidth())
        hint.setHeight(std::max(hint.height(), widget->heightForWidth(viewport()->width())));
    item->setData(Qt::SizeHintRole, hint.isValid() ? QVariant(hint) : QVariant());
}

void ActionList::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    for (int row = 0; row < count(); ++row)
        updateSizeHint(item(row));
}

QWidget *ActionList::createItemWidget(QListWidgetItem *item)
{
    const QString secondary = getColorString(COLOR_TEXT_SECONDARY);
    auto *widget = new QWidget;
    auto *row = new QHBoxLayout(widget);
    row->setContentsMargins(9, 4, 9, 4);
    row->setSpacing(0);

    auto *texts = new QVBoxLayout;
    texts->setContentsMargins(9, 4, 6, 0);
    texts->setSpacing(0);
    auto *title = new QLabel(translated(item->data(TitleRole)));
    const bool hidden = item->data(HiddenActionRole).toBool();
    title->setStyleSheet("QLabel { " + (hidden ? "color: rgb(" + secondary + ");" : QString()) + "}");
    auto *description = new QLabel(translated(item->data(DescriptionRole)));
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description->setStyleSheet("QLabel { color: rgb(" + secondary + "); font: 10pt; }");
    texts->addWidget(title);
    texts->addWidget(description);
    row->addLayout(texts, 1);

    const QString shortcut = item->data(HotkeyRole).toString();
    QLabel *command = iconLabel(":/icons/images/ic_command.svg", CommandSize, shortcut);
    command->setObjectName("command");
    command->setContentsMargins(0, 0, 6, 0);
    command->setVisible(!shortcut.isEmpty());
    row->addWidget(command);

    const QString key = item->data(FileNameRole).toString();
    if (ActionFile::isBuiltInKey(key))
        row->addWidget(iconLabel(":/icons/images/ic_shield.svg", BadgeSize, tr("Built-in actions cannot be edited.")));
    else if (item->data(FailedRole).toBool())
        row->addWidget(iconLabel(":/icons/images/ic_error.svg", BadgeSize, tr("There are errors in the action script.")));

    auto *more = new QPushButton;
    more->setFlat(true);
    more->setIcon(Utils::svg2icon(":/icons/images/ic_more.svg", true));
    more->setMaximumWidth(60);
    more->setMenu(createMenu(item, more));
    row->addWidget(more);
    return widget;
}

QMenu *ActionList::createMenu(QListWidgetItem *item, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const bool builtIn = ActionFile::isBuiltInKey(item->data(FileNameRole).toString());
    if (builtIn)
        menu->addAction(QIcon(":/icons/images/eye.png"), tr("View"), this, [this, item] { editAction(item); });
    else
        menu->addAction(QIcon(":/icons/images/pencil.png"), tr("Edit"), this, [this, item] { editAction(item); });

    const QIcon command(":/icons/images/command.png");
    if (!item->data(HotkeyRole).toString().isEmpty()) {
        menu->addAction(command, tr("Remove shortcut"), this, [this, item] {
            item->setData(HotkeyRole, QString());
            updateItemWidget(item);
        });
    } else {
        menu->addAction(command, tr("Set shortcut"), this, [this, item] { setShortcut(item); });
    }

    const bool hidden = item->data(HiddenActionRole).toBool();
    menu->addAction(QIcon(":/icons/images/action.png"), hidden ? tr("Show in menu") : tr("Hide from menu"), this,
                    [this, item, hidden] {
                        item->setData(HiddenActionRole, !hidden);
                        updateItemWidget(item);
                    });

    if (!builtIn) {
        menu->addSeparator();
        menu->addAction(QIcon(":/icons/images/delete.png"), tr("Delete"), this, [this, item] { deleteAction(item); });
    }
    return menu;
}

void ActionList::editAction(QListWidgetItem *item)
{
    {
        ActionEditor editor(this, item);
        editor.exec();
    }
    scanFiles();
}

void ActionList::setShortcut(QListWidgetItem *item)
{
    ShortcutDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    item->setData(HotkeyRole, dialog.getShortcut());
    // The row is built anew, so its menu offers "Remove shortcut" from now on.
    updateItemWidget(item);
}

void ActionList::deleteAction(QListWidgetItem *item)
{
    const QString key = item->data(FileNameRole).toString();
    const QString title = translated(item->data(TitleRole));
    if (QMessageBox::question(this, "Kestovan", tr("Are you sure you want to delete the action '%1'?").arg(title),
                              QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;

    // The file stays as a tombstone, so that the deletion reaches the other computers.
    QJsonObject action;
    if (ActionFile::read(key, action) == ActionFile::ReadStatus::Ok) {
        action.insert(QStringLiteral("deleted"), true);
        action.insert(QStringLiteral("created"), ActionFile::timeStamp());
        QString error;
        if (!ActionFile::write(key, action, &error)) {
            qWarning().noquote() << error;
            QMessageBox::warning(this, "Kestovan", tr("Failed to delete the file '%1'.").arg(key));
        }
    }
    // The menus stop offering a deleted action at once; one that could not be deleted stays.
    scanFiles();
}
