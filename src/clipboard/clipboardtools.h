#pragma once

#include <QModelIndex>
#include <QString>

#include <memory>
#include <utility>

class QMimeData;

// How a text clipping is put on the clipboard. Only PlainText changes what is written: it leaves
// the HTML part out.
enum PasteTextType : int {
    NormalText = 0,
    PlainText = 1,
    StrippedText = 2,
};

// Puts clippings and text on the clipboard and pastes them into the application in front with a
// synthetic Control+V. A write that must not become a clipping is preceded by one of the
// ClipboardListener::ignoreOwn... calls.
class ClipboardTools
{
public:
    ClipboardTools() = delete;

    // From the moment a delayed paste is accepted until its Control+V has been posted.
    static bool c_pasteOngoing;

    static void setTextToClipboard(QString text);
    static void setTextToClipboard(QModelIndex index, PasteTextType type);
    static void setImageToClipboard(QModelIndex index, bool asFile);
    static void typeText(QString text);

    static void clearModifiers();
    static void resetModifiers();
    static void pasteNow();
    // After PasteTiming::DelayedPaste; refused while another delayed paste is pending.
    static void paste();
    // The same, then the cursor moved as InputManager::calculateCursorPos placed it (none for -1).
    static void paste(std::pair<int, int> cursor);
    // Left presses from the end, then Shift+Left presses (none for -1): a snippet's cursor marker.
    static void moveCursor(std::pair<int, int> cursor);
    static void pastePlainTextFromClipboard();

    // A copy of the current clipboard content.
    static std::unique_ptr<QMimeData> saveClipboard();
    // A copy of the content, without an owner's answers about itself.
    static std::unique_ptr<QMimeData> copyOf(const QMimeData *data);
    // The clipboard takes data over. Putting back earlier content is not a new clipping.
    static void restoreClipboard(std::unique_ptr<QMimeData> data);

    // Targets an X11 owner answers about itself rather than formats of the content.
    static bool isPseudoFormat(const QString &format);

    static void actionPaste(QString text, QString application);

private:
    static void pasteStep();
    static void putOnClipboard(QMimeData *data);
};
