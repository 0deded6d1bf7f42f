// MainWindow: the global hotkeys, action shortcuts and the selection hotkeys of a pinned window.
#include "window/mainwindow.h"
#include "ui_mainwindow.h"

#include "actions/actionhelpers.h"
#include "clipboard/clipboardlistener.h"
#include "common/hotkeychord.h"
#include "common/userwarning.h"
#include "hotkey/qhotkey.h"
#include "history/itemrole.h"
#include "platform/pastetiming.h"
#include "platform/platformbackend.h"
#include "common/utils.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMimeData>
#include <QSettings>
#include <QTimer>

#include <memory>

namespace {

// Shortcuts are stored as the settings dialog writes them; Qt's native parser also reads the
// portable names, but not when they are translated, so the portable form is tried as well.
QKeySequence parseShortcut(const QString &text)
{
    QKeySequence sequence(text, QKeySequence::NativeText);
    if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown)
        sequence = QKeySequence(text, QKeySequence::PortableText);
    return sequence;
}

// Sets and registers the hotkey. A text that names no key is a failure too: an empty sequence
// would quietly leave the hotkey without a shortcut. So is a bare key written by an older version
// or by hand, which would be taken from every application.
bool bind(QHotkey *hotkey, const QString &text)
{
    const QKeySequence sequence = parseShortcut(text);
    if (sequence.isEmpty() || !isGlobalHotkeyChord(sequence[0])) {
        hotkey->setRegistered(false);
        return false;
    }
    return hotkey->setShortcut(sequence, true);
}

// The title the action menu shows; the file's name for an action the catalogue no longer lists.
QString actionTitle(const QString &action)
{
    const QString title = Utils::settings().value("Actions").toMap().value(action).toString();
    if (title.isEmpty())
        return QFileInfo(action).completeBaseName();
    return QCoreApplication::translate("ActionList", title.toUtf8().constData());
}

} // namespace

void MainWindow::whenHotkeyReleased(const std::function<void()> &action)
{
    // An X11 hotkey keeps the keyboard grabbed by this program until its keys are let go, and a
    // paste posted meanwhile would come back here instead of reaching the application in front.
    PlatformBackend *platform = PlatformBackend::instance();
    if (!platform->anyKeyHeld()) {
        action();
        return;
    }
    auto *poll = new QTimer(this);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    connect(poll, &QTimer::timeout, this, [poll, clock, platform, action] {
        if (platform->anyKeyHeld() && clock->elapsed() < PasteTiming::ModifierReleaseTimeout)
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(PasteTiming::ModifierPollInterval);
}

void MainWindow::setShortcuts()
{
    const QSettings settings = Utils::settings();
    const struct {
        const char *key;
        const char *defaultText;
        QHotkey *hotkey;
    } bindings[] = {
        {"Shortcut", "CTRL+SHIFT+V", historyHotkey},
        {"ShortcutPlainText", "", plainTextHotkey},
        {"ShortcutPasteNext", "", pasteNextHotkey},
    };
    for (const auto &binding : bindings) {
        const QString text = settings.value(binding.key, QString(binding.defaultText)).toString();
        if (text.isEmpty()) {
            binding.hotkey->setRegistered(false);
            continue;
        }
        if (!bind(binding.hotkey, text))
            qWarning() << "Unable to register hotkey" << text;
    }
}

void MainWindow::setActionShortcuts()
{
    // Released before the new ones are made, so each shortcut stays bound to one action.
    for (QHotkey *hotkey : std::as_const(actionHotkeys)) {
        hotkey->setRegistered(false);
        hotkey->deleteLater();
    }
    actionHotkeys.clear();

    const QVariantMap shortcuts = Utils::settings().value("ActionShortcuts").toMap();
    for (auto it = shortcuts.constBegin(); it != shortcuts.constEnd(); ++it) {
        const QString action = it.key();
        const QString text = it.value().toString();
        auto *hotkey = new QHotkey(this);
        if (!text.isEmpty() && !bind(hotkey, text))
            qWarning() << "Unable to register hotkey" << text << "for action" << action;
        connect(hotkey, &QHotkey::activated, this,
                [this, action, text] { whenHotkeyReleased([this, action, text] { runAction(action, text); }); });
        actionHotkeys.append(hotkey);
    }
}

void MainWindow::runAction(const QString &action, const QString &shortcut)
{
    if (!ClipboardListener::clipboardAnswers()) {
        qWarning() << "The clipboard's owner does not answer. Unable to run the action.";
        return;
    }
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText() || data->text().isEmpty()) {
        qWarning() << "Current clipboard content is not text. Unable to run the action.";
        return;
    }

    QString error;
    const QList<QString> results = ActionHelpers::execute(action, data->text(), QString(), error);
    // A failed action has nothing to paste: the user's clipboard stays as it is, and the user is
    // told why, as when the action is run from the history menu.
    if (!error.isEmpty()) {
        qWarning().noquote() << "The action" << action << "failed:" << error;
        showUserWarning(QCoreApplication::translate("HistoryContextMenu", "Failed to run action '%1'\n%2")
                            .arg(actionTitle(action), error));
        return;
    }
    if (results.isEmpty()) {
        qDebug().noquote() << "The action" << action << "returned no text; nothing is pasted.";
        return;
    }

    const QString text = results.join("\n");
    ClipboardListener::ignoreOwnText(text);
    ClipboardTools::actionPaste(text, shortcut);
}

void MainWindow::moveSelection(int step)
{
    if (ui->stackedWidget->currentIndex() != 0)
        return;
    HistoryItemView *view = ui->historyView;
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row() + step;
    if (row < 0 || row >= current.model()->rowCount())
        return;
    const QModelIndex target = current.sibling(row, current.column());
    view->setCurrentIndex(target);
    ClipboardListener::ignoreOwnText(target.data(TextRole).toString());
    ClipboardTools::setTextToClipboard(target, NormalText);
}

void MainWindow::selectionUp()
{
    moveSelection(-1);
}

void MainWindow::selectionDown()
{
    moveSelection(1);
}
