#include "settings/snippeteditor.h"

#include "actions/actioncatalogue.h"
#include "common/utils.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>

namespace {

QString cursorMark()
{
    return QString(QChar(SnippetEditor::CursorMark));
}

// The source text of the document between two positions: a chip gives its name, a line break "\n".
QString sourceText(const QTextDocument *document, int from, int to)
{
    QString text;
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start >= end)
                continue;
            const QTextCharFormat format = fragment.charFormat();
            // Equal chips side by side share one fragment; each of its characters is a chip.
            if (format.isImageFormat())
                text += format.toImageFormat().name().repeated(end - start);
            else
                text += fragment.text().mid(start - fragment.position(), end - start);
        }
        const int separator = block.position() + block.length() - 1;
        if (separator >= from && separator < to)
            text += '\n';
    }
    return text;
}

} // namespace

SnippetEditor::SnippetEditor(QWidget *parent)
    : QTextEdit(parent)
{
}

SnippetEditor::~SnippetEditor() = default;

void SnippetEditor::setAndFormatText(QString text)
{
    // Loading is no edit: undo must not take the loaded text away.
    setUndoRedoEnabled(false);
    clear();
    QTextCursor cursor = textCursor();
    insertFormattedText(cursor, text);

    moveCursor(QTextCursor::Start);
    // Only the first mark says where the cursor goes; any further one is an ordinary character.
    if (find(cursorMark()))
        insertImage(cursorMark());
    setUndoRedoEnabled(true);
}

void SnippetEditor::insertFormattedText(QTextCursor &cursor, const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("({.+?})"));
    QSettings settings = Utils::settings();
    const QStringList actionTitles = ActionCatalogue::titles(settings).values();

    qsizetype last = 0;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString whole = match.captured(1);
        const QString inner = whole.mid(1, whole.size() - 2);
        if (!inner.startsWith(QLatin1String("CLIP")) && !actionTitles.contains(inner))
            continue;
        cursor.insertText(text.mid(last, match.capturedStart(1) - last), QTextCharFormat());
        insertImage(cursor, whole, false);
        last = match.capturedEnd(1);
    }
    cursor.insertText(text.mid(last), QTextCharFormat());
}

void SnippetEditor::insertImage(QString text)
{
    QTextCursor cursor = textCursor();
    insertImage(cursor, text, !text.startsWith('{'));
    setTextCursor(cursor);
}

void SnippetEditor::insertImage(QTextCursor cursor, QString text, bool raw)
{
    const QString label =
        raw ? text : QCoreApplication::translate("ActionList", text.mid(1, text.size() - 2).toUtf8().constData());

    // Drawn at twice the size and scaled down, so the chip's text stays smooth.
    QFont font;
    font.setPixelSize(28);
    const QSize textSize = QFontMetrics(font).size(0, label);
    QImage image(textSize.width() + 10, std::max(1, textSize.height() - 2), QImage::Format_RGB32);
    const bool dark = isDarkMode();
    image.fill(dark ? 0x000000 : 0xffffff);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(image.rect()), 8, 8, Qt::AbsoluteSize);
        painter.fillPath(path, dark ? Qt::white : Qt::black);
        painter.setPen(dark ? Qt::black : Qt::white);
        painter.setFont(font);
        // A little above the middle: the text's descent would otherwise push it down.
        painter.drawText(QRect(0, -8, image.width(), image.height() + 8), Qt::AlignCenter, label);
    }
    const QImage chip = image.scaled(image.width() / 2, image.height() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    document()->addResource(QTextDocument::ImageResource, QUrl(text, QUrl::TolerantMode), chip);
    QTextImageFormat format;
    format.setName(text);
    format.setWidth(chip.width());
    format.setHeight(chip.height());
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    cursor.insertImage(format);
}

void SnippetEditor::setSnippetCursor()
{
    QTextCursor edit(document());
    edit.beginEditBlock();

    const QTextCursor cursor = textCursor();
    int anchor = cursor.anchor();
    int position = cursor.position();
    QTextCursor selection(document());
    {
        const int removed = removeCursorMark();
        // The text around the old mark moved back by one.
        if (removed >= 0 && removed < anchor)
            --anchor;
        if (removed >= 0 && removed < position)
            --position;
    }
    selection.setPosition(std::min(anchor, position));
    selection.setPosition(std::max(anchor, position), QTextCursor::KeepAnchor);
    setTextCursor(selection);
    insertImage(cursorMark());

    edit.endEditBlock();
}

int SnippetEditor::removeCursorMark()
{
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat() || format.toImageFormat().name() != cursorMark())
                continue;
            // One character: equal chips side by side share a fragment.
            const int position = fragment.position();
            QTextCursor cursor(document());
            cursor.setPosition(position);
            cursor.deleteChar();
            return position;
        }
    }
    return -1;
}

QString SnippetEditor::convertToPlainText()
{
    return convertToPlainText(document()->firstBlock(), document()->lastBlock());
}

QString SnippetEditor::convertToPlainText(QTextBlock first, QTextBlock last)
{
    if (!first.isValid() || !last.isValid())
        return QString();
    return sourceText(document(), first.position(), last.position() + last.length() - 1);
}

QMimeData *SnippetEditor::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto *data = new QMimeData;
    data->setText(sourceText(document(), cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void SnippetEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insertFormattedText(cursor, source->text());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}
