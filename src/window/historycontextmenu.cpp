#include "window/historycontextmenu.h"

#include "actions/actionhelpers.h"
#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardtools.h"
#include "window/editdialog.h"
#include "window/historyitemview.h"
#include "history/itemrole.h"
#include "images/editor/imageeditdialog.h"
#include "images/ocr.h"
#include "platform/keycodes.h"
#include "platform/platformbackend.h"
#include "snippets/snippetmodel.h"
#include "common/safefile.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QDateTime>
#include <QDebug>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QSettings>
#include <QStandardItem>
#include <QUuid>

#include <algorithm>

namespace {

QIcon pngIcon(const char *name)
{
    return QIcon(QStringLiteral(":/icons/images/") + QLatin1String(name));
}

QIcon svgIcon(const char *name)
{
    return Utils::svg2icon(QStringLiteral(":/icons/images/") + QLatin1String(name), false);
}

// Read through the platform layer, which asks the keyboard itself and lets headless runs say what is held.
bool shiftHeld()
{
    return PlatformBackend::instance()->heldModifierFlags() & MacFlag::Shift;
}

} // namespace

HistoryContextMenu::HistoryContextMenu(HistoryItemView *view, const QModelIndex &index,
                                       const QModelIndexList &selection)
    : CustomMenu(tr("Context menu"), view)
    , m_view(view)
    , m_index(index)
{
    const bool noImage = std::none_of(selection.cbegin(), selection.cend(),
                                      [](const QModelIndex &i) { return i.data(TypeRole).toInt() == 1; });

    if (noImage && selection.size() == 1 && shiftHeld()) {
        addActionEntries(this, view, index);
        return;
    }
    if (selection.size() < 2) {
        if (index.data(TypeRole).toInt() == 0)
            addTextEntries();
        else
            addImageEntries();
        addCommonEntries();
        return;
    }
    addSelectionEntries(noImage);
}

QAction *HistoryContextMenu::addEntry(QMenu *menu, const QIcon &icon, const QString &text,
                                      std::function<void()> handler)
{
    QAction *action = menu->addAction(icon, text);
    connect(action, &QAction::triggered, this, std::move(handler));
    return action;
}

void HistoryContextMenu::addTextEntries()
{
    addEntry(this, pngIcon("page_paste.png"), tr("Paste"), [this] {
        if (m_index.isValid())
            emit m_view->normalPaste(m_index);
    });
    addEntry(this, pngIcon("paste_plain.png"), tr("Plain Text"), [this] {
        if (m_index.isValid())
            emit m_view->plainText(m_index);
    });
    addEntry(this, pngIcon("text_smallcaps.png"), tr("Type Text"), [this] {
        if (m_index.isValid())
            emit m_view->typeText(m_index);
    });
    addEntry(this, svgIcon("ic_clear-formatting.svg"), tr("Unstylish text"), [this] {
        if (m_index.isValid())
            emit m_view->strippedText(m_index);
    });
    addSeparator();
    addEntry(this, pngIcon("pencil.png"), tr("Edit..."), [this] { editText(); });
}

void HistoryContextMenu::addImageEntries()
{
    addEntry(this, pngIcon("paste_image.png"), tr("Paste as Image"), [this] {
        if (m_index.isValid())
            emit m_view->pasteAsImage(m_index);
    });
    addEntry(this, pngIcon("paste_file.png"), tr("Paste as File"), [this] {
        if (m_index.isValid())
            emit m_view->pasteAsFile(m_index);
    });
    addEntry(this, pngIcon("font.png"), tr("Extract texts"), [this] { extractTexts(); });
    addEntry(this, pngIcon("pencil.png"), tr("Edit..."), [this] { editImage(); });
}

void HistoryContextMenu::addCommonEntries()
{
    addSeparator();
    if (m_index.data(LockedRole).toBool()) {
        addEntry(this, svgIcon("open-padlock.svg"), tr("Release lock"), [this] {
            if (m_index.isValid())
                emit m_view->lockItem(m_index, false);
        });
    } else {
        addEntry(this, svgIcon("padlock.svg"), tr("Keep forever"), [this] {
            if (m_index.isValid())
                emit m_view->lockItem(m_index, true);
        });
    }

    SnippetModel *snippets = m_view->snippetModel;
    if (snippets && snippets->rowCount() > 0) {
        QMenu *snippetMenu = addMenu(pngIcon("snippets.png"), tr("Add to snippets"));
        for (int row = 0; row < snippets->rowCount(); ++row) {
            const QPersistentModelIndex group(snippets->index(row, 0));
            addEntry(snippetMenu, pngIcon("add.png"), tr("Add to '%1'").arg(group.data(Qt::DisplayRole).toString()),
                     [this, group] { addToSnippets(group); });
        }
    }

    QMenu *actionMenu = addMenu(pngIcon("action.png"), tr("Run action"));
    addActionEntries(actionMenu, m_view, m_index);

    addSeparator();
    addEntry(this, pngIcon("delete.png"), tr("Remove"), [this] {
        if (m_index.isValid())
            emit m_view->removeItem(m_index);
    });
    addEntry(this, pngIcon("delete.png"), tr("Remove all"), [this] { emit m_view->removeAll(); });
}

void HistoryContextMenu::addSelectionEntries(bool noImage)
{
    if (noImage) {
        addEntry(this, pngIcon("page_paste.png"), tr("Paste selected"),
                 [this] { emit m_view->multipleActivated(m_view->selectedIndexes()); });
        addEntry(this, pngIcon("arrow_join.png"), tr("Merge"), [this] {
            emit m_view->merge(m_view->selectedIndexes());
            m_view->selectAddedItem(100);
        });
    }
    addEntry(this, pngIcon("arrow_switch.png"), tr("Reverse"), [this] { reverseSelection(); });
    addSeparator();
    addEntry(this, pngIcon("delete.png"), tr("Remove selected"),
             [this] { emit m_view->removeItems(m_view->selectedIndexes()); });
}

void HistoryContextMenu::reverseSelection()
{
    const QModelIndexList selection = m_view->selectedIndexes();
    QList<int> rows;
    for (const QModelIndex &index : selection)
        rows.append(index.row());
    emit m_view->reverse(selection);
    // The reversed clippings swap places; the same rows stay selected.
    QAbstractItemModel *model = m_view->model();
    QItemSelectionModel *selectionModel = m_view->selectionModel();
    if (!model || !selectionModel)
        return;
    for (int row : std::as_const(rows))
        selectionModel->select(model->index(row, 0), QItemSelectionModel::Select);
}

void HistoryContextMenu::editText()
{
    EditDialog dialog(m_view);
    dialog.setText(m_index.data(TextRole).toString());
    if (dialog.exec() != QDialog::Accepted || !m_index.isValid())
        return;
    const QModelIndex index = m_index;
    emit m_view->textAction(index, dialog.text());
    // The edited text goes on the clipboard; it is this clipping, not a new one.
    ClipboardListener::ignoreOwnText(index.data(TextRole).toString());
    ClipboardTools::setTextToClipboard(index, PlainText);
}

QString HistoryContextMenu::imagePath(const char *failure) const
{
    if (!m_index.isValid())
        return QString();
    const QString fileName = m_index.data(FileNameRole).toString();
    const QString path =
        Utils::imagesPath() + "/" + m_index.data(IdRole).toUuid().toString() + "/" + fileName;
    // The name may come from a synced document: it must not reach outside the image cache.
    if (!Utils::isPlainFileName(fileName)) {
        qWarning().noquote() << failure << path;
        return QString();
    }
    return path;
}

void HistoryContextMenu::editImage()
{
    const char *failure = "Unable to add file as image to clipboard";
    const QString path = imagePath(failure);
    if (path.isEmpty())
        return;
    const QImage image = SafeFile::readImage(path);
    if (image.isNull()) {
        qWarning().noquote() << failure << path;
        return;
    }
    ImageEditDialog dialog(image, m_view);
    if (dialog.exec() != QDialog::Accepted || !m_index.isValid())
        return;
    const QModelIndex index = m_index;
    emit m_view->imageAction(index, dialog.getImage());
    // The edited picture goes on the clipboard as its cached file; it is this clipping, not a new one.
    ClipboardListener::ignoreOwnImage();
    ClipboardTools::setImageToClipboard(index, true);
}

void HistoryContextMenu::extractTexts()
{
    const QString path = imagePath("Unable to extract texts from");
    if (!path.isEmpty() && OCR::extractTexts(path))
        m_view->selectAddedItem(500);
}

void HistoryContextMenu::addToSnippets(const QPersistentModelIndex &group)
{
    SnippetModel *snippets = m_view->snippetModel;
    if (!snippets || !group.isValid() || !m_index.isValid())
        return;
    QStandardItem *groupItem = snippets->itemFromIndex(group);
    if (!groupItem)
        return;

    const QString brief = m_index.data(Qt::DisplayRole).toString();
    // The title is the brief's first sentence; the snippet keeps the clipping's whole text, with
    // its line breaks and indentation.
    const QString text = m_index.data(TextRole).toString();
    auto *snippet = new QStandardItem;
    snippet->setData(brief.split(QStringLiteral(". ")).first(), Qt::DisplayRole);
    snippet->setData(text, Qt::ToolTipRole);
    snippet->setData(text, TextRole);
    snippet->setData(QDateTime::currentDateTime(), TimeRole);
    snippet->setData(QUuid::createUuid(), IdRole);

    emit m_view->status(SyncStatus::Notice, tr("Added to snippets '%1'").arg(groupItem->data(Qt::DisplayRole).toString()));
    groupItem->insertRow(groupItem->rowCount(), snippet);
    snippets->save(true, nullptr);
}

void HistoryContextMenu::addActionEntries(QMenu *menu, HistoryItemView *view, const QModelIndex &index)
{
    const QSettings settings = Utils::settings();
    const QStringList hidden = settings.value("HiddenActions").toStringList();
    const QVariantMap actions = settings.value("Actions").toMap();
    QStringList keys = actions.keys();
    std::sort(keys.begin(), keys.end(), actionLessThan);

    const QPersistentModelIndex target(index);
    for (const QString &key : std::as_const(keys)) {
        if (hidden.contains(key))
            continue;
        const QString title = actions.value(key).toString();
        QAction *action = menu->addAction(QIcon(QStringLiteral(":/icons/images/action.png")),
                                          QCoreApplication::translate("ActionList", title.toUtf8().constData()));
        connect(action, &QAction::triggered, action, [view, target, key, title] { runAction(view, target, key, title); });
    }
}

void HistoryContextMenu::runAction(HistoryItemView *view, const QPersistentModelIndex &index, const QString &key,
                                   const QString &title)
{
    if (!index.isValid())
        return;
    QString error;
    const QList<QString> results =
        ActionHelpers::execute(key, index.data(TextRole).toString(), index.data(ApplicationRole).toString(), error);
    qDebug() << "Executed" << key << results;
    if (!error.isEmpty()) {
        QMessageBox::warning(view, "Kestovan", tr("Failed to run action '%1'\n%2").arg(title, error), QMessageBox::Ok);
        return;
    }
    if (results.size() == 1) {
        if (index.isValid())
            emit view->textAction(index, results.first());
        return;
    }
    // Added last to first, so that the first result ends up as the newest clipping.
    for (auto it = results.crbegin(); it != results.crend(); ++it)
        emit view->addItem(*it);
}
