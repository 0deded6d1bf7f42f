#include "snippets/inputmanager.h"

#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardsaver.h"
#include "clipboard/clipboardtools.h"
#include "history/historyitemmodel.h"
#include "platform/keycodes.h"
#include "platform/keymonitor.h"
#include "platform/keysynthesis.h"
#include "platform/pastetiming.h"
#include "platform/platform.h"
#include "snippets/utilskeywords.h"
#include "common/utils.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QTimer>

InputManager::InputManager(QObject *parent)
    : QObject(parent)
{
    // Queued, so that buffering, matching and substitution run on the event loop in event order.
    connect(this, &InputManager::keywordBreakerTyped, this, [this] { takeUnit({Unit::Break, QChar()}); },
            Qt::QueuedConnection);
    connect(this, &InputManager::backspaceTyped, this, [this] { takeUnit({Unit::Backspace, QChar()}); },
            Qt::QueuedConnection);
    connect(this, &InputManager::characterTyped, this, [this](QChar c) { takeUnit({Unit::Character, c}); },
            Qt::QueuedConnection);

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
        signalUnit({Unit::Backspace, QChar()});
        return;
    }
    if (text.isEmpty()) {
        signalUnit({Unit::Break, QChar()});
        return;
    }
    for (const QChar c : std::as_const(text)) {
        if (c.isPrint() && (requireSpace || !c.isSpace()))
            signalUnit({Unit::Character, c});
        else
            signalUnit({Unit::Break, c});
    }
}

void InputManager::signalUnit(const Unit &unit)
{
    m_units.append(unit);
    switch (unit.kind) {
    case Unit::Character:
        emit characterTyped(unit.c);
        break;
    case Unit::Break:
        emit keywordBreakerTyped();
        break;
    case Unit::Backspace:
        emit backspaceTyped();
        break;
    }
}

void InputManager::takeUnit(const Unit &signalled)
{
    if (m_unitsTaken > 0) {
        --m_unitsTaken;
        return;
    }
    const Unit unit = m_units.isEmpty() ? signalled : m_units.takeFirst();
    if (m_expansion && m_expansion->waiting) {
        m_expansion->typedAfter.append(unit);
        return;
    }
    handle(unit);
}

void InputManager::handle(const Unit &unit)
{
    ++m_handled;
    switch (unit.kind) {
    case Unit::Character:
        onCharacterTyped(unit.c);
        break;
    case Unit::Break:
        buffer.clear();
        break;
    case Unit::Backspace:
        buffer.chop(1);
        break;
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
    buffer.clear();
    // Without a delay at once: each key that gets through before the keyboard is held must be
    // erased and typed again.
    if (delay <= 0) {
        substitute(count, text, application);
        return;
    }
    const quint64 handled = m_handled;
    QTimer::singleShot(delay, this, [this, count, text, application, handled] {
        // A break or a Delete typed meanwhile went to the application after the keyword as well.
        if (m_handled != handled || !m_units.isEmpty()) {
            qDebug() << "The text was not expanded because there were characters typed before the delay ended";
            return;
        }
        substitute(count, text, application);
    });
}

void InputManager::substitute(int count, QString text, QString application)
{
    if (m_expansion) {
        m_waiting.append({count, text, application});
        return;
    }
    begin({count, text, application});
}

void InputManager::begin(const Request &request)
{
    Expansion &expansion = m_expansion.emplace();
    expansion.application = request.application;
    expansion.count = request.count;
    // Before the keyword is erased: an action that fails shows a box, which would otherwise take
    // the paste meant for the other application.
    const QString text = Utils::replaceKeywords(request.text, request.application, HistoryItemModel::toList());
    expansion.text = calculateCursorPos(text, expansion.position);

    QClipboard *clipboard = QGuiApplication::clipboard();
    if (m_restorePending && m_pasted && clipboard->mimeData(QClipboard::Clipboard) == m_pasted) {
        // The clipboard holds the text of the expansion before: what the user had is saved already.
        paste();
        return;
    }
    // Anything saved before is older than what the user put on the clipboard since.
    m_saved.reset();
    m_restorePending = false;
    ++m_restoreGeneration;
    // However long the clipboard's owner takes, the user types on meanwhile; that is erased and
    // typed again after the snippet.
    expansion.waiting = true;
    saver()->save([this](std::unique_ptr<QMimeData> saved) {
        m_expansion->waiting = false;
        m_expansion->saved = std::move(saved);
        m_expansion->fresh = true;
        paste();
    });
}

void InputManager::paste()
{
    Expansion &expansion = *m_expansion;
    // The clipboard's owner may have been waited for: a paste meant for one application never
    // lands in another.
    if (getApplicationName() != expansion.application) {
        qDebug() << "The text was not expanded because another application came to the front";
        finish();
        return;
    }

    // From here on the user's keys wait until the snippet is in.
    expansion.holding = holdKeys();
    // Our own keys must not come back as typing.
    expansion.monitorWasInstalled = disableHooks();

    const QList<Unit> through = std::exchange(m_units, {});
    m_unitsTaken += int(through.size());
    expansion.typedAfter += through;
    expansion.erase = expansion.count + int(expansion.typedAfter.size());
    for (const Unit &unit : std::as_const(expansion.typedAfter)) {
        // A Delete, a click or a Return did something that typing cannot take back.
        if (unit.c.isNull() || !(unit.c.isPrint() || unit.c.isSurrogate())) {
            qDebug() << "The text was not expanded because keys were typed after the keyword before it was erased";
            finish();
            return;
        }
        expansion.retype += unit.c;
    }

    if (expansion.fresh) {
        m_saved = std::move(expansion.saved);
        m_restorePending = true;
    }

    for (int i = 0; i < expansion.erase; ++i)
        tapKeyCode(MacKey::Delete, 0);
    ClipboardListener::ignoreOwnText(expansion.text);
    ClipboardTools::setTextToClipboard(expansion.text);
    m_pasted = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    ClipboardTools::pasteNow();
    if (expansion.monitorWasInstalled)
        enableHooks();

    const quint64 generation = ++m_restoreGeneration;
    QTimer::singleShot(PasteTiming::ClipboardRestore, this, [this, generation] {
        if (generation == m_restoreGeneration)
            restore();
    });
    QTimer::singleShot(PasteTiming::CursorMove, this, [this] {
        moveCursor(m_expansion->position);
        // Typed after the keyword, they come after the snippet.
        ClipboardTools::typeText(m_expansion->retype);
        m_expansion->monitorWasInstalled = false;
        finish();
    });
}

void InputManager::finish()
{
    const Expansion expansion = std::move(*m_expansion);
    m_expansion.reset();
    if (expansion.monitorWasInstalled)
        enableHooks();
    // What was typed after the keyword counts as typed now: after the snippet, or where it was when
    // the keyword stays. The keys held meanwhile follow it.
    for (const Unit &unit : expansion.typedAfter)
        signalUnit(unit);
    if (expansion.holding)
        releaseKeys();
    if (!m_waiting.isEmpty())
        begin(m_waiting.takeFirst());
}

void InputManager::restore()
{
    m_restorePending = false;
    std::unique_ptr<QMimeData> saved = std::move(m_saved);
    // What the user copied since stays: only our own snippet is taken back. restoreClipboard keeps
    // the content it puts back out of the history.
    if (saved && m_pasted && m_pasted == QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard))
        ClipboardTools::restoreClipboard(std::move(saved));
}

ClipboardSaver *InputManager::saver()
{
    // Made with the application, which its X connection must not outlive.
    if (!m_saver)
        m_saver = new ClipboardSaver(QCoreApplication::instance());
    return m_saver;
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
