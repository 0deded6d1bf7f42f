// MainWindow: pasting clippings, selections and snippets into the application in front.
#include "window/mainwindow.h"
#include "ui_mainwindow.h"

#include "clipboard/clipboardlistener.h"
#include "history/historyfiltermodel.h"
#include "history/historyitemmodel.h"
#include "hotkey/qhotkey.h"
#include "snippets/inputmanager.h"
#include "history/itemrole.h"
#include "platform/keycodes.h"
#include "platform/platform.h"
#include "platform/platformbackend.h"
#include "window/searchmodel.h"
#include "snippets/snippetmodel.h"
#include "snippets/utilskeywords.h"
#include "common/utils.h"

#include <QDebug>
#include <QPersistentModelIndex>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QTimer>

#include <memory>

namespace {
// "Type Text" starts once the target has the focus again, then types one character per tick.
const int TypingStartDelay = 200;
const int TypingInterval = 20;

QSortFilterProxyModel *proxyOf(const QModelIndex &index)
{
    return qobject_cast<QSortFilterProxyModel *>(const_cast<QAbstractItemModel *>(index.model()));
}
} // namespace

Qt::KeyboardModifiers MainWindow::heldModifiers()
{
    // The platform reads the keyboard itself; the toolkit only knows the keys its own windows saw.
    const quint64 flags = PlatformBackend::instance()->heldModifierFlags();
    Qt::KeyboardModifiers modifiers;
    if (flags & MacFlag::Shift)
        modifiers |= Qt::ShiftModifier;
    if (flags & MacFlag::Control)
        modifiers |= Qt::ControlModifier;
    if (flags & MacFlag::Option)
        modifiers |= Qt::AltModifier;
    if (flags & MacFlag::Command)
        modifiers |= Qt::MetaModifier;
    return modifiers;
}

bool MainWindow::usePlainTextFor() const
{
    return (heldModifiers() & Qt::ShiftModifier) || Utils::settings().value("PastePlainText", false).toBool();
}

void MainWindow::hideUnlessPinned()
{
    if (pinRight->isChecked())
        return;
    m_awaitingActivation = false;
    hide();
    keepPlace();
}

void MainWindow::activateTargetWindow()
{
    hideUnlessPinned();
    activateTarget();
}

void MainWindow::historyItemActivated(QModelIndex index, bool usePlainText)
{
    qDebug() << "Activated" << index;
    // A paste-next cursor on a row the filter hides maps to no row: nothing to paste, and the
    // user's clipboard must stay as it is.
    if (!index.isValid()) {
        qDebug() << "Nothing to paste: the clipping is not in the list.";
        return;
    }

    const int row = index.row();
    QSortFilterProxyModel *proxy = proxyOf(index);
    switch (index.data(TypeRole).toInt()) {
    case 2:
        pasteImage(index, true);
        break;
    case 1:
        pasteImage(index, false);
        break;
    default:
        pasteText(index, usePlainText ? PlainText : NormalText, false);
        break;
    }

    if (proxy)
        HistoryItemModel::instance()->setNextIndex(proxy->mapToSource(proxy->index(row + 1, 0)));
}

void MainWindow::pasteText(QModelIndex index, PasteTextType type, bool typeIt)
{
    if (!index.isValid()) {
        qDebug() << "Nothing to paste: no clipping.";
        return;
    }
    ClipboardListener::ignoreOwnText(index.data(TextRole).toString());
    ClipboardTools::setTextToClipboard(index, type);
    activateTargetWindow();
    if (typeIt)
        typeText(index);
    else
        ClipboardTools::paste();
    if (QSortFilterProxyModel *proxy = proxyOf(index))
        HistoryItemModel::instance()->touchItem(proxy->mapToSource(index));
}

void MainWindow::pasteImage(QModelIndex index, bool asFile)
{
    if (!index.isValid()) {
        qDebug() << "Nothing to paste: no clipping.";
        return;
    }
    ClipboardListener::ignoreOwnImage();
    ClipboardTools::setImageToClipboard(index, asFile);
    activateTargetWindow();
    ClipboardTools::paste();
    if (QSortFilterProxyModel *proxy = proxyOf(index))
        HistoryItemModel::instance()->touchItem(proxy->mapToSource(index));
}

QString MainWindow::nextTypedCharacter(const QString &text)
{
    if (text.isEmpty())
        return QString();
    if (text.size() > 1 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate())
        return text.left(2);
    return text.left(1);
}

void MainWindow::typeText(QModelIndex index)
{
    auto remaining = std::make_shared<QString>(index.data(TextRole).toString());
    auto *timer = new QTimer(this);
    auto *abort = new QHotkey(QKeySequence("Esc"), true, this);

    const auto finish = [timer, abort] {
        timer->stop();
        abort->setRegistered(false);
        timer->deleteLater();
        abort->deleteLater();
    };
    connect(abort, &QHotkey::activated, this, finish);
    connect(timer, &QTimer::timeout, this, [remaining, finish] {
        if (remaining->isEmpty()) {
            finish();
            return;
        }
        const QString character = nextTypedCharacter(*remaining);
        ClipboardTools::typeText(character);
        remaining->remove(0, character.size());
    });
    QTimer::singleShot(TypingStartDelay, timer, [timer] { timer->start(TypingInterval); });
}

QString MainWindow::joinedTexts(const QList<QModelIndex> &indexes)
{
    // An empty text adds no line of its own: "a", "", "b" is "a\nb".
    QString text;
    for (const QModelIndex &index : indexes) {
        const QString part = index.data(TextRole).toString();
        if (part.isEmpty())
            continue;
        if (!text.isEmpty())
            text += "\n";
        text += part;
    }
    return text;
}

void MainWindow::historyItemsActivated(QList<QModelIndex> indexes)
{
    const QString text = joinedTexts(indexes);
    ClipboardListener::ignoreOwnText(text);
    ClipboardTools::setTextToClipboard(text);
    activateTargetWindow();
    ClipboardTools::paste();
}

void MainWindow::mergeItems(QList<QModelIndex> indexes)
{
    // The capture may record the joined text at once, which shifts the rows: the sources are
    // followed by persistent indexes so that no other clipping is removed in their place.
    QList<QPersistentModelIndex> sources;
    for (const QModelIndex &index : std::as_const(indexes))
        sources.append(index);

    // Not ignored: the joined text is recorded as a new clipping by the capture.
    ClipboardTools::setTextToClipboard(joinedTexts(indexes));

    QList<QModelIndex> current;
    for (const QPersistentModelIndex &source : std::as_const(sources)) {
        if (source.isValid())
            current.append(source);
    }
    HistoryItemModel::instance()->markItemsAsRemoved(current);
}

void MainWindow::snippetActivated(QModelIndex index)
{
    if (!index.isValid() || !index.model())
        return;

    QString text = index.data(TextRole).toString();
    const QString application = index.data(ApplicationRole).toString();
    text = Utils::replaceKeywords(text, application, HistoryItemModel::toList());
    std::pair<int, int> cursor(-1, -1);
    text = InputManager::calculateCursorPos(text, cursor);

    ClipboardListener::ignoreOwnText(text);
    ClipboardTools::setTextToClipboard(text);
    activateTargetWindow();
    ClipboardTools::paste(cursor);
}

void MainWindow::searchResultActivated(QModelIndex index)
{
    if (qobject_cast<const SearchModel *>(index.model()))
        index = SearchModel::sourceIndex(index);
    if (index.isValid() && index.model() == SnippetModel::instance())
        snippetActivated(index);
    else
        historyItemActivated(index, usePlainTextFor());
}

void MainWindow::pasteNext()
{
    ClipboardTools::clearModifiers();
    if (auto *proxy = qobject_cast<QSortFilterProxyModel *>(ui->historyView->model()))
        historyItemActivated(proxy->mapFromSource(HistoryItemModel::instance()->getNextIndex()), false);
}
