#include "clipboard/clipboardlistener.h"

#include "clipboard/clipboardownerwatch.h"
#include "clipboard/clipboardtools.h"
#include "clipboard/x11clipboardreader.h"
#include "history/historyitemmodel.h"
#include "platform/platform.h"
#include "common/utils.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QScopeGuard>
#include <QSettings>
#include <QStringList>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <utility>

const QString ClipboardListener::ApplicationFormat = QStringLiteral("x-kestovan-application");

namespace {

const int PollInterval = 1000;
// Texts longer than this are fingerprinted by a hash rather than kept whole.
const qsizetype LargeText = 64 * 1024;
// Pixels sampled per side for the image fingerprint: enough to tell screenshots of one size
// apart, cheap enough to run on every change of an image on the clipboard.
const int ImageSamplesPerSide = 32;

ClipboardListener *listenFor(HistoryItemModel *model)
{
    auto *listener = new ClipboardListener(model);
    QObject::connect(listener, &ClipboardListener::changed, model, &HistoryItemModel::clipboardChanged);
    QObject::connect(listener, &ClipboardListener::notRecorded, model, &HistoryItemModel::clippingNotRecorded);
    QObject::connect(model, &HistoryItemModel::captureRulesChanged, listener, [listener](qint64 textLimit) {
        listener->updateApplications();
        listener->setTextLimit(textLimit);
    });
    return listener;
}

// Every history model listens through a listener of ours; the store, below us, cannot make one.
void attachToHistory()
{
    HistoryItemModel::setListenerFactory(&listenFor);
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

Q_CONSTRUCTOR_FUNCTION(attachToHistory)

ClipboardListener::ClipboardListener(QObject *parent)
    : QObject(parent)
{
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, &ClipboardListener::changedSlot);

    m_ownerWatch = ClipboardOwnerWatch::create(this);
    // The offscreen clipboard lives in this process, so every change of it is reported.
    m_changesReported = m_ownerWatch || QGuiApplication::platformName() == QLatin1String("offscreen");
    m_reader = X11ClipboardReader::create(
        this, [this](std::unique_ptr<QMimeData> data, X11ClipboardReader::Outcome outcome, quint32 owner) {
            readFinished(std::move(data), outcome, owner);
        });

    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &ClipboardListener::check);
    poll->start(PollInterval);
}

ClipboardListener *ClipboardListener::ofHistory()
{
    HistoryItemModel *model = HistoryItemModel::instance();
    return model ? model->clipboardListener : nullptr;
}

void ClipboardListener::ignoreOwnText(const QString &text)
{
    if (ClipboardListener *listener = ofHistory())
        listener->lastContent = textFingerprint(text);
}

void ClipboardListener::ignoreOwnImage()
{
    if (ClipboardListener *listener = ofHistory())
        listener->lastContent = QStringLiteral("*");
}

void ClipboardListener::ignoreOwnData(const QMimeData *data)
{
    ClipboardListener *listener = ofHistory();
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

QString ClipboardListener::textFingerprint(const QString &text)
{
    if (text.size() <= LargeText)
        return text;
    const QByteArrayView units(reinterpret_cast<const char *>(text.utf16()), text.size() * qsizetype(sizeof(char16_t)));
    // Starts with a character no copied text starts with, so it never equals a text.
    return QChar(0) + QString::number(text.size()) + QLatin1Char(':')
        + QString::fromLatin1(QCryptographicHash::hash(units, QCryptographicHash::Sha256).toHex());
}

QString ClipboardListener::getTextContent(const QMimeData *data)
{
    return fingerprint(data, nullptr);
}

QString ClipboardListener::fingerprint(const QMimeData *data, qsizetype *textLength)
{
    if (textLength)
        *textLength = -1;
    if (!data)
        return {};
    if (hasPlainText(data)) {
        const QString text = data->text();
        if (!text.isEmpty()) {
            if (textLength)
                *textLength = text.size();
            return textFingerprint(text);
        }
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

bool ClipboardListener::clipboardAnswers()
{
    ClipboardListener *listener = ofHistory();
    if (!listener || !listener->m_reader || QGuiApplication::clipboard()->ownsClipboard())
        return true;
    if (listener->m_reader->busy())
        return !listener->m_reader->stalled();
    return !listener->isUnanswered(listener->m_reader->owner());
}

std::shared_ptr<const QMimeData> ClipboardListener::currentReading()
{
    if (!m_reading || !m_ownerWatch)
        return nullptr;
    m_ownerWatch->catchUp();
    if (ownerChanges() != m_readingChanges)
        m_reading.reset();
    return m_reading;
}

bool ClipboardListener::readingCurrent()
{
    if (!m_reader || !m_ownerWatch || QGuiApplication::clipboard()->ownsClipboard())
        return false;
    m_ownerWatch->catchUp();
    // A change whose notice has not come yet is read now.
    if (ownerChanges() != m_readOwnerChanges)
        captureStep();
    return m_reader->busy() && ownerChanges() == m_readOwnerChanges;
}

bool ClipboardListener::isUnanswered(quint32 owner) const
{
    return owner && owner == m_unansweredOwner && ownerChanges() == m_unansweredChanges;
}

quint64 ClipboardListener::ownerChanges() const
{
    return m_ownerWatch ? m_ownerWatch->changes() : 0;
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
    // Content of this process is at hand; another application's is read without waiting for it:
    // reading it through the toolkit waits up to five seconds per request for an owner that hangs.
    if (!m_reader || m_reader->ownContentIsCurrent()) {
        capture(clipboard->mimeData(QClipboard::Clipboard), nullptr);
        return;
    }
    const quint32 owner = m_reader->owner();
    // The read in progress judges the content as it is now; another owner makes it worthless,
    // however slowly the old owner still sends.
    if (m_reader->busy() && owner == m_readOwner && ownerChanges() == m_readOwnerChanges)
        return;
    if (isUnanswered(owner)) {
        m_lastContentSeen = lastContent;
        return;
    }
    m_unansweredOwner = 0;
    m_reading.reset();
    m_readOwner = owner;
    m_readOwnerChanges = ownerChanges();
    // In UTF-8 a text takes at most three bytes per character: anything longer is over the limit.
    m_reader->start(m_textLimit < 0 ? -1 : m_textLimit * 3);
}

void ClipboardListener::readFinished(std::unique_ptr<QMimeData> data, int outcome, quint32 owner)
{
    const auto done = qScopeGuard([this] { emit readDone(); });
    if (m_ownerWatch)
        m_ownerWatch->catchUp();
    if (ownerChanges() != m_readOwnerChanges) {
        // The clipboard changed while it was read: what was read is old already.
        captureStep();
        return;
    }
    if (outcome == X11ClipboardReader::Unanswered) {
        m_unansweredOwner = owner;
        m_unansweredChanges = m_readOwnerChanges;
        qWarning() << "The clipboard's owner does not answer; it is not asked again until the clipboard changes owner.";
        m_lastContentSeen = lastContent;
        return;
    }
    // Told once per content read, and as it is read, whatever else the content held.
    if (const QSize refused = m_reader->refusedImage(); refused.isValid())
        emit notRecorded(tr("The copied picture (%1 x %2) was not recorded: it is larger than Kestovan can hold.")
                             .arg(refused.width())
                             .arg(refused.height()));
    std::shared_ptr<const QMimeData> read = std::move(data);
    // Kept to put back after the program wrote over the clipboard for a moment, so that the owner
    // is not asked again, however slowly it answers.
    if (outcome == X11ClipboardReader::Read && m_reader->whole()) {
        m_reading = read;
        m_readingChanges = m_readOwnerChanges;
    }
    capture(read.get(), read);
}

void ClipboardListener::capture(const QMimeData *data, std::shared_ptr<const QMimeData> snapshot)
{
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

    qsizetype textLength = -1;
    const QString contentFingerprint = fingerprint(data, &textLength);
    if (lastContent == QLatin1String("*"))
        lastContent = contentFingerprint;
    if (!contentFingerprint.isEmpty() && contentFingerprint != lastContent) {
        lastContent = contentFingerprint;
        // A text the size rule refuses is not copied only to be thrown away.
        if (m_textLimit >= 0 && textLength > m_textLimit && !data->hasUrls() && !data->hasImage()) {
            qDebug() << "Not recording a text of" << textLength << "characters; the limit is" << m_textLimit;
        } else {
            std::shared_ptr<const QMimeData> copy = snapshot ? std::move(snapshot) : ClipboardTools::saveClipboard();
            emit changed(std::move(copy), getSourceIcon(), application);
        }
    }
    m_lastContentSeen = lastContent;
}
