#include "clipboard/clipboardtools.h"

#include "clipboard/clipboardlistener.h"
#include "history/itemrole.h"
#include "platform/keycodes.h"
#include "platform/keysynthesis.h"
#include "platform/pastetiming.h"
#include "platform/platformbackend.h"
#include "common/safefile.h"
#include "common/utils.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QMimeData>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QUrl>
#include <QUuid>

#include <array>
#include <utility>

bool ClipboardTools::c_pasteOngoing = false;

namespace {

// Modifier keys in the order they are tested, each with the flag that says it is held.
constexpr std::array<std::pair<quint64, quint16>, 4> ModifierKeys{{
    {MacFlag::Shift, MacKey::Shift},
    {MacFlag::Control, MacKey::Control},
    {MacFlag::Option, MacKey::Option},
    {MacFlag::Command, MacKey::Command},
}};

// The platform layer reads the keyboard itself: the toolkit's answer is stale while another
// application has the focus.
QList<quint16> heldModifierKeys()
{
    const quint64 held = PlatformBackend::instance()->heldModifierFlags();
    QList<quint16> keys;
    for (const auto &[flag, key] : ModifierKeys) {
        if (held & flag)
            keys.append(key);
    }
    return keys;
}

void pressModifiers(const QList<quint16> &keys)
{
    for (quint16 key : keys)
        toggleKeyCode(key, true, 0);
}

// One delayed paste at a time: a second request while one is pending is refused.
bool acceptDelayedPaste()
{
    if (ClipboardTools::c_pasteOngoing) {
        qWarning().noquote() << "Delayed paste operation is already ongoing. Ignoring the second paste command.";
        return false;
    }
    ClipboardTools::c_pasteOngoing = true;
    return true;
}

} // namespace

bool ClipboardTools::isPseudoFormat(const QString &format)
{
    static const QSet<QString> pseudo{"TARGETS", "MULTIPLE", "TIMESTAMP", "SAVE_TARGETS", "DELETE",
                                      "INSERT_SELECTION", "INSERT_PROPERTY"};
    return pseudo.contains(format);
}

void ClipboardTools::putOnClipboard(QMimeData *data)
{
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
}

void ClipboardTools::setTextToClipboard(QString text)
{
    auto *data = new QMimeData;
    data->setText(text);
    putOnClipboard(data);
}

void ClipboardTools::setTextToClipboard(QModelIndex index, PasteTextType type)
{
    auto *data = new QMimeData;
    data->setText(index.data(TextRole).toString());
    if (type != PlainText) {
        // An empty HTML part makes rich-text targets paste nothing.
        const QString html = Utils::stripStyle(index.data(HtmlRole).toString());
        if (!html.isEmpty())
            data->setHtml(html);
    }
    putOnClipboard(data);
}

void ClipboardTools::setImageToClipboard(QModelIndex index, bool asFile)
{
    const QString fileName = index.data(FileNameRole).toString();
    const QString path =
        Utils::imagesPath() + "/" + index.data(IdRole).toUuid().toString() + "/" + fileName;
    auto *data = new QMimeData;
    if (!Utils::isPlainFileName(fileName)) {
        // The name may come from a synced document: it must not reach outside the image cache.
        qWarning().noquote() << "Unable to add file as image to clipboard" << path;
    } else if (asFile) {
        const QUrl url = QUrl::fromLocalFile(path);
        data->setUrls({url});
        // GNOME's file manager and those that follow it paste files only from their own format.
        data->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + url.toEncoded());
    } else {
        const QImage image = SafeFile::readImage(path);
        if (image.isNull())
            qWarning().noquote() << "Unable to add file as image to clipboard" << path;
        else
            data->setImageData(image);
    }
    putOnClipboard(data);
}

void ClipboardTools::typeText(QString text)
{
    typeString(text.toUtf8().constData());
}

void ClipboardTools::clearModifiers()
{
    // A synthetic press of a modifier would stay held; letting it go is what clears it here.
    for (quint16 key : heldModifierKeys())
        toggleKeyCode(key, false, 0);
}

void ClipboardTools::resetModifiers()
{
    const QList<quint16> held = heldModifierKeys();
    releaseModifiers();
    if (!held.isEmpty())
        QTimer::singleShot(PasteTiming::ModifierRepost, [held] { pressModifiers(held); });
}

void ClipboardTools::pasteStep()
{
    resetModifiers();
    sendCommandV();
}

void ClipboardTools::pasteNow()
{
    pasteStep();
}

void ClipboardTools::paste()
{
    paste({-1, -1});
}

void ClipboardTools::paste(std::pair<int, int> cursor)
{
    if (!acceptDelayedPaste())
        return;
    QTimer::singleShot(PasteTiming::DelayedPaste, [cursor] {
        pasteStep();
        c_pasteOngoing = false;
        if (cursor.first != -1)
            QTimer::singleShot(PasteTiming::CursorMove, [cursor] { moveCursor(cursor); });
    });
}

void ClipboardTools::moveCursor(std::pair<int, int> cursor)
{
    if (cursor.first == -1)
        return;
    for (int i = 0; i < cursor.first; ++i)
        tapKeyCode(MacKey::Left, 0);
    for (int i = 0; i < cursor.second; ++i)
        tapKeyCode(MacKey::Left, MacFlag::Shift);
}

void ClipboardTools::pastePlainTextFromClipboard()
{
    if (!ClipboardListener::clipboardAnswers()) {
        qWarning() << "The clipboard's owner does not answer; nothing is pasted.";
        return;
    }
    // Freed with the timer's call, whether or not it comes.
    auto saved = std::make_shared<std::unique_ptr<QMimeData>>(saveClipboard());
    setTextToClipboard(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    // The clipboard deletes it once anything else is copied.
    const QPointer<const QMimeData> pasted = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    pasteStep();
    QTimer::singleShot(PasteTiming::ClipboardRestore, [saved, pasted] {
        // What the user copied since stays: only our own plain text is taken back.
        if (pasted && pasted == QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard))
            restoreClipboard(std::move(*saved));
    });
}

std::unique_ptr<QMimeData> ClipboardTools::saveClipboard()
{
    return copyOf(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard));
}

std::unique_ptr<QMimeData> ClipboardTools::copyOf(const QMimeData *data)
{
    auto copy = std::make_unique<QMimeData>();
    if (!data)
        return copy;
    for (const QString &format : data->formats()) {
        if (!isPseudoFormat(format))
            copy->setData(format, data->data(format));
    }
    if (data->hasImage())
        copy->setImageData(data->imageData());
    return copy;
}

void ClipboardTools::restoreClipboard(std::unique_ptr<QMimeData> data)
{
    // Putting back what was there before is our own write, not a new copy by the user.
    ClipboardListener::ignoreOwnData(data.get());
    putOnClipboard(data.release());
}

void ClipboardTools::actionPaste(QString text, QString application)
{
    Q_UNUSED(application)
    setTextToClipboard(text);
    sendCommandV();
}

