#include "clipboard/clipboardlistener.h"

#include "clipboard/clipboardownerwatch.h"
#include "clipboard/clipboardtools.h"
#include "history/historyitemmodel.h"
#include "platform/platform.h"
#include "common/utils.h"

#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSettings>
#include <QStringList>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>

#include <algorithm>

const QString ClipboardListener::ApplicationFormat = QStringLiteral("x-kestovan-application");

namespace {

const int PollInterval = 1000;
// Pixels sampled per side for the image fingerprint: enough to tell screenshots of one size
// apart, cheap enough to run on every change of an image on the clipboard.
const int ImageSamplesPerSide = 32;

ClipboardListener *historyListener()
{
    HistoryItemModel *model = HistoryItemModel::instance();
    return model ? model->clipboardListener : nullptr;
}

// Qt answers text() with the URL list when there is no text part; that is not the content's text.
bool hasPlainText(const QMimeData *data)
{
    const QStringList formats = data->formats();
    return std::any_of(formats.cbegin(), formats.cend(),
                       [](const QString &format) { return format.startsWith(QLatin1String("text/plain")); });
}

QImage imageOf(const QMimeData *data)
{
    const QVariant variant = data->imageData();
    QImage image = qvariant_cast<QImage>(variant);
    if (image.isNull())
        image = qvariant_cast<QPixmap>(variant).toImage();
    if (image.isNull())
        image = QGuiApplication::clipboard()->image(QClipboard::Clipboard);
    return image;
}

QString imageFingerprint(const QImage &image)
{
    const int width = image.width();
    const int height = image.height();
    // Size and centre pixel alone miss two different images of one size that share the centre.
    size_t hash = 0;
    const int columns = qMin(width, ImageSamplesPerSide);
    const int rows = qMin(height, ImageSamplesPerSide);
    for (int row = 0; row < rows; ++row) {
        const int y = int(qint64(row) * height / rows);
        for (int column = 0; column < columns; ++column) {
            const int x = int(qint64(column) * width / columns);
            hash = qHashMulti(hash, image.pixel(x, y));
        }
    }
    return QString("%1x%2-%3-%4")
        .arg(width)
        .arg(height)
        .arg(uint(image.pixel(width / 2, height / 2)))
        .arg(quint64(hash), 0, 16);
}

} // namespace

ClipboardListener::ClipboardListener(QObject *parent)
    : QObject(parent)
{
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, &ClipboardListener::changedSlot);

    m_ownerWatch = ClipboardOwnerWatch::create(this);
    // The offscreen clipboard lives in this process, so every change of it is reported.
    m_changesReported = m_ownerWatch || QGuiApplication::platformName() == QLatin1String("offscreen");

    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &ClipboardListener::check);
    poll->start(PollInterval);
}

void ClipboardListener::ignoreOwnText(const QString &text)
{
    if (ClipboardListener *listener = historyListener())
        listener->lastContent = text;
}

void ClipboardListener::ignoreOwnImage()
{
    if (ClipboardListener *listener = historyListener())
        listener->lastContent = QStringLiteral("*");
}

void ClipboardListener::ignoreOwnData(const QMimeData *data)
{
    ClipboardListener *listener = historyListener();
    if (!listener || !data)
        return;
    // Content without a fingerprint is never recorded, so there is nothing to ignore.
    const QString fingerprint = listener->getTextContent(data);
    if (!fingerprint.isEmpty())
        listener->lastContent = fingerprint;
}

void ClipboardListener::updateApplications()
{
    const QSettings settings = Utils::settings();
    const auto toSet = [&settings](const char *key) {
        const QStringList names = settings.value(key).toStringList();
        return QSet<QString>(names.cbegin(), names.cend());
    };
    m_noImagesApplications = toSet("NoImagesApplications");
    m_textOnlyApplications = toSet("TextOnlyApplications");
    m_formattingOnlyApplications = toSet("FormattingOnlyApplications");
    m_rulesChanged = true;
}

QString ClipboardListener::getSourceName()
{
    return getApplicationName();
}

QPixmap ClipboardListener::getSourceIcon()
{
    return getIcon();
}

QString ClipboardListener::getTextContent(const QMimeData *data)
{
    if (!data)
        return {};
    if (hasPlainText(data)) {
        const QString text = data->text();
        if (!text.isEmpty())
            return text;
    }
    if (data->hasUrls()) {
        QStringList paths;
        for (const QUrl &url : data->urls()) {
            if (!url.isEmpty())
                paths.append(url.path(QUrl::FullyDecoded));
        }
        const QString joined = paths.join('\n');
        if (!joined.isEmpty())
            return joined;
    }
    if (data->hasImage()) {
        const QImage image = imageOf(data);
        if (!image.isNull())
            return imageFingerprint(image);
    }
    return {};
}

void ClipboardListener::changedSlot(QClipboard::Mode mode)
{
    // On X11 every mouse selection reports a change of the selection; the clipboard is as it was.
    if (m_changesReported && mode != QClipboard::Clipboard)
        return;
    captureStep();
}

void ClipboardListener::check()
{
    if (stepNeeded())
        captureStep();
}

bool ClipboardListener::inRuleSet(const QString &application) const
{
    // Copies from clients without a window have no name; a rule on it would catch every one of them
    // and, as its own rewrite has no name either, rewrite the clipboard forever.
    if (application.isEmpty())
        return false;
    return m_textOnlyApplications.contains(application) || m_formattingOnlyApplications.contains(application)
        || m_noImagesApplications.contains(application);
}

bool ClipboardListener::stepNeeded()
{
    if (!m_changesReported || m_contentChanged || lastContent != m_lastContentSeen)
        return true;
    if (m_ownerWatch && m_ownerWatch->changes() != m_ownerChangesSeen)
        return true;
    // Unchanged content can only be judged differently under a rule that now applies to it.
    const QString application = getSourceName();
    return inRuleSet(application) && (m_rulesChanged || application != m_judgedApplication);
}

void ClipboardListener::captureStep()
{
    m_contentChanged = false;
    m_rulesChanged = false;
    if (m_ownerWatch) {
        // The change that brought us here may not have reached the watch's connection yet.
        m_ownerWatch->catchUp();
        m_ownerChangesSeen = m_ownerWatch->changes();
    }
    m_judgedApplication = getSourceName();

    QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard->mimeData(QClipboard::Clipboard);

    // A marker is a marker even when the name in it is empty: that content was rewritten already.
    const bool marked = data && data->hasFormat(ApplicationFormat);
    QString application = marked ? QString::fromUtf8(data->data(ApplicationFormat)) : QString();
    if (!marked)
        application = m_judgedApplication;
    // Each read of another client's content is a transfer: the parts are read only when a rule may apply.
    if (data && !marked && inRuleSet(application)) {
        QString text = data->text();
        QString html = data->html();
        const QString originalHtml = html;
        bool rewrite = false;

        if (m_formattingOnlyApplications.contains(application) && data->hasHtml()) {
            html = Utils::stripStyle(html);
            rewrite = true;
        }
        if (m_textOnlyApplications.contains(application) && data->hasHtml()) {
            rewrite = true;
            html.clear();
        }
        if (m_noImagesApplications.contains(application) && data->hasImage())
            rewrite = true;

        if (rewrite) {
            // Content offered only as HTML would otherwise be rewritten to nothing.
            if (text.isEmpty() && !originalHtml.isEmpty())
                text = QTextDocumentFragment::fromHtml(originalHtml).toPlainText();
            // Parented until it is handed to the clipboard, so it is freed if the timer never fires.
            auto *rewritten = new QMimeData;
            rewritten->setParent(this);
            rewritten->setText(text);
            // An empty HTML part makes rich-text targets paste nothing.
            if (!html.isEmpty())
                rewritten->setHtml(html);
            rewritten->setData(ApplicationFormat, application.toUtf8());
            QTimer::singleShot(0, this, [rewritten] {
                rewritten->setParent(nullptr);
                QGuiApplication::clipboard()->setMimeData(rewritten, QClipboard::Clipboard);
            });
            m_lastContentSeen = lastContent;
            return;
        }
    }

    const QString fingerprint = getTextContent(data);
    if (lastContent == QLatin1String("*"))
        lastContent = fingerprint;
    if (!fingerprint.isEmpty() && fingerprint != lastContent) {
        lastContent = fingerprint;
        QMimeData *copy = ClipboardTools::saveClipboard();
        emit changed(copy, getSourceIcon(), application);
    }
    m_lastContentSeen = lastContent;
}
