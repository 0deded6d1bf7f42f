#pragma once

#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

// The text field of the snippets page. A snippet's text is plain text in which the placeholders
// ("{CLIP}", "{CLIP:...}", "{<action title>}") and the first cursor mark (U+205E) mean something at
// paste time; the editor shows each of them as a chip, one image character named by its source
// text, and turns the document back into the snippet's plain text.
class SnippetEditor : public QTextEdit
{
public:
    // The character that marks where the text cursor goes after pasting a snippet.
    static constexpr char16_t CursorMark = 0x205E;

    explicit SnippetEditor(QWidget *parent = nullptr);
    ~SnippetEditor() override;

    // Replaces the whole content with the text, placeholders and the first cursor mark as chips.
    void setAndFormatText(QString text);
    // A chip at the text cursor, replacing a selection; a braced text shows without its braces.
    void insertImage(QString text);
    // A chip at the cursor; raw shows the text as it is, otherwise without its first and last
    // character and in the user's language (action titles).
    void insertImage(QTextCursor cursor, QString text, bool raw);
    // Moves the cursor mark to the text cursor, replacing a selection.
    void setSnippetCursor();

    QString convertToPlainText();
    QString convertToPlainText(QTextBlock first, QTextBlock last);

protected:
    // Copies, cuts and drags carry the placeholders as text, and text that arrives gets its chips
    // back: the object character itself would otherwise end up in the snippet.
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // Inserts text at the cursor with chips for the placeholders it holds.
    void insertFormattedText(QTextCursor &cursor, const QString &text);
    // Removes the first cursor mark chip; its position, or -1 when there was none.
    int removeCursorMark();
};
