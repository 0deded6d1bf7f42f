#pragma once

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariantMap>

#include <utility>

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
    void match(const QString &word);

    QString buffer;
    QVariantMap delayedApplications;
    QSet<QString> noExpandApplications;
    bool requireSpace = false;
};
