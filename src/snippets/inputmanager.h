#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>
#include <utility>

class ClipboardSaver;
class QMimeData;

// Expands snippet keywords typed in any application: follows the keys typed there through the
// global key monitor, and when the word typed since the last break is a keyword, erases it and
// pastes the snippet's text through the clipboard, restoring the clipboard afterwards.
class InputManager : public QObject
{
    Q_OBJECT

public:
    // Marks where the cursor ends after a paste; two of them mark a selection.
    static constexpr QChar CursorMarker = QChar(0x205E);

    explicit InputManager(QObject *parent = nullptr);
    ~InputManager() override;

    static InputManager *instance();

    // Keyword -> snippet text, filled by the snippet model. Compared exactly.
    QMap<QString, QString> keywords;

    // A key press from the global key monitor: its text and virtual key code, or a break (empty, 0).
    void onKeyboardEvent(QString text, int keyCode);
    void enableHooks();
    // Whether a monitor was installed.
    bool disableHooks();
    // Rereads "RequireSpace", "NoExpandApplications" and "DelayedApplications".
    void updateApplications();
    // One expansion at a time: another one asked for meanwhile follows it.
    void substitute(int count, QString text, QString application);

    // The text without cursor markers; position gets (Left presses from the end, Shift+Left presses
    // after them) when the text has a marker, and is left alone otherwise.
    static QString calculateCursorPos(QString text, std::pair<int, int> &position);
    static void moveCursor(std::pair<int, int> position);

    // The characters typed since the last break.
    QString typedWord() const { return buffer; }

signals:
    void keywordBreakerTyped();
    void backspaceTyped();
    void characterTyped(QChar c);

public slots:
    void onCharacterTyped(QChar c);

private:
    // One key event as onKeyboardEvent signalled it, with what the signal does not carry: the
    // character of a break (a white space, a Return), null for a break without one.
    struct Unit
    {
        enum Kind : quint8 { Character, Break, Backspace };
        Kind kind = Break;
        QChar c;
    };

    struct Request
    {
        int count = 0;
        QString text;
        QString application;
    };

    // The expansion under way.
    struct Expansion
    {
        QString application;
        QString text;
        std::pair<int, int> position{-1, -1};
        // Keys of the keyword; erased with those typed after it.
        int count = 0;
        int erase = 0;
        // Handed on after the keyword before the keyboard was held: in the application after it.
        QList<Unit> typedAfter;
        QString retype;
        // For the clipboard's content to be saved; the keyboard is not held meanwhile.
        bool waiting = false;
        bool holding = false;
        bool monitorWasInstalled = false;
        // The content saved by this expansion, when it saved one.
        std::unique_ptr<QMimeData> saved;
        bool fresh = false;
    };

    void signalUnit(const Unit &unit);
    void takeUnit(const Unit &signalled);
    void handle(const Unit &unit);
    void match(const QString &word);
    void begin(const Request &request);
    void paste();
    void finish();
    void restore();
    ClipboardSaver *saver();

    QString buffer;
    QVariantMap delayedApplications;
    QSet<QString> noExpandApplications;
    bool requireSpace = false;

    // Signalled and not yet handled, in order; the slots take them from the front.
    QList<Unit> m_units;
    // Units an expansion took, whose signals are still on their way.
    int m_unitsTaken = 0;
    quint64 m_handled = 0;

    std::optional<Expansion> m_expansion;
    QList<Request> m_waiting;
    QPointer<ClipboardSaver> m_saver;

    // What the user had on the clipboard before the first of overlapping expansions, put back once
    // the last of them is done; null when it could not be saved.
    std::unique_ptr<QMimeData> m_saved;
    bool m_restorePending = false;
    quint64 m_restoreGeneration = 0;
    // The text the last expansion put on the clipboard, while the clipboard holds it.
    QPointer<const QMimeData> m_pasted;
};
