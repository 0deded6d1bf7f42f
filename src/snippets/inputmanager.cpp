#include "snippets/inputmanager.h"

#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardtools.h"
#include "history/historyitemmodel.h"
#include "platform/keycodes.h"
#include "platform/keymonitor.h"
#include "platform/keysynthesis.h"
#include "platform/pastetiming.h"
#include "platform/platform.h"
#include "snippets/utilskeywords.h"
#include "common/utils.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSettings>
#include <QTimer>

InputManager::InputManager(QObject *parent)
    : QObject(parent)
{
    // Queued, so that buffering, matching and substitution run on the event loop in event order.
    connect(this, &InputManager::keywordBreakerTyped, this, [this] { buffer.clear(); }, Qt::QueuedConnection);
    connect(this, &InputManager::backspaceTyped, this, [this] { buffer.chop(1); }, Qt::QueuedConnection);
    connect(this, &InputManager::characterTyped, this, &InputManager::onCharacterTyped, Qt::QueuedConnection);

    if (KeyMonitor *monitor = KeyMonitor::instance())
        connect(monitor, &KeyMonitor::keyboardEvent, this, &InputManager::onKeyboardEvent);
    updateApplications();
}

InputManager::~InputManager()
{
    // At exit the platform layer goes with the application object; without it nothing is installed.
    if (QCoreApplication::instance())
        disableHooks();
}

InputManager *InputManager::instance()
{
    static InputManager manager;
    return &manager;
}

void InputManager::enableHooks()
{
    setupKeyListener();
}

bool InputManager::disableHooks()
{
    return removeKeyListener();
}

void InputManager::updateApplications()
{
    const QSettings settings = Utils::settings();
    requireSpace = settings.value("RequireSpace", false).toBool();
    const QStringList noExpand = settings.value("NoExpandApplications").toStringList();
    noExpandApplications = QSet<QString>(noExpand.cbegin(), noExpand.cend());
    noExpandApplications.insert("Kestovan.exe");
    noExpandApplications.insert("Kestovan");
    delayedApplications = settings.value("DelayedApplications").toMap();
}

void InputManager::onKeyboardEvent(QString text, int keyCode)
{
    if (keyCode == MacKey::Delete) {
        emit backspaceTyped();
        return;
    }
    if (text.isEmpty()) {
        emit keywordBreakerTyped();
        return;
    }
    for (const QChar c : std::as_const(text)) {
        if (c.isPrint() && (requireSpace || !c.isSpace()))
            emit characterTyped(c);
        else
            emit keywordBreakerTyped();
    }
}

void InputManager::onCharacterTyped(QChar c)
{
    if (!requireSpace) {
        buffer.append(c);
        match(buffer);
        return;
    }
    if (!c.isSpace()) {
        buffer.append(c);
        return;
    }
    // The space ends the word whether or not it was a keyword.
    const QString word = buffer;
    buffer.clear();
    match(word);
}

void InputManager::match(const QString &word)
{
    if (keywords.isEmpty() || word.isEmpty())
        return;
    const auto found = keywords.constFind(word);
    if (found == keywords.constEnd())
        return;
    const QString text = found.value();
    qDebug() << "Matched keyword:" << word << text;

    const QString application = getApplicationName();
    if (noExpandApplications.contains(application))
        return;

    const int count = int(word.size()) + (requireSpace ? 1 : 0);
    const int delay = delayedApplications.value(application).toInt();
    QTimer::singleShot(delay, this, [this, count, text, application] {
        if (!buffer.isEmpty()) {
            qDebug() << "The text was not expanded because there were characters typed before the delay ended";
            return;
        }
        substitute(count, text, application);
    });
    buffer.clear();
}

void InputManager::substitute(int count, QString text, QString application)
{
    // Our own keys must not come back as typing.
    const bool monitorWasInstalled = disableHooks();

    // Before the keyword is erased: an action that fails shows a box, which would otherwise take
    // the paste meant for the other application.
    text = Utils::replaceKeywords(text, application, HistoryItemModel::toList());

    for (int i = 0; i < count; ++i)
        tapKeyCode(MacKey::Delete, 0);

    QMimeData *saved = ClipboardTools::saveClipboard();
    std::pair<int, int> position(-1, -1);
    text = calculateCursorPos(text, position);

    ClipboardListener::ignoreOwnText(text);
    ClipboardTools::setTextToClipboard(text);
    ClipboardTools::pasteNow();

    QTimer::singleShot(PasteTiming::CursorMove, this, [position] { moveCursor(position); });
    // restoreClipboard keeps the content it puts back out of the history.
    QTimer::singleShot(PasteTiming::ClipboardRestore, this, [saved] { ClipboardTools::restoreClipboard(saved); });

    if (monitorWasInstalled)
        enableHooks();
}

QString InputManager::calculateCursorPos(QString text, std::pair<int, int> &position)
{
    const qsizetype first = text.indexOf(CursorMarker);
    if (first >= 0) {
        const qsizetype second = text.indexOf(CursorMarker, first + 1);
        const int length = int(text.size());
        if (second < 0)
            position = {length - 1 - int(first), 0};
        else
            position = {length - 1 - int(second), int(second - first - 1)};
    }
    return text.remove(CursorMarker);
}

void InputManager::moveCursor(std::pair<int, int> position)
{
    ClipboardTools::moveCursor(position);
}
