#include "window/monitorlist.h"

#include "widgets/customscrollbar.h"
#include "common/theme.h"

#include <QCryptographicHash>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
const QString ImageFormat = QStringLiteral("application/x-qt-image");
const int BytesPerLine = 16;
const int MaxDumpBytes = 1600;
const int HexPartWidth = BytesPerLine * 3;
} // namespace

MonitorList::MonitorList(QWidget *parent)
    : QListWidget(parent)
{
    new CustomScrollBar(this);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Empty until its window is shown, which reads the clipboard anyway: the window is built at
    // start, and a clipboard owner that does not answer must not hold the start up.
}

MonitorList::~MonitorList() = default;

bool MonitorList::isText(const QByteArray &data)
{
    if (data.isEmpty())
        return false;
    for (const char c : data) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 32 || byte > 126) && byte != 13 && byte != 10)
            return false;
    }
    return true;
}

QString MonitorList::convertToHex(QByteArray data)
{
    QString result;
    QString hex;
    QString chars;
    for (int i = 0; i < data.size(); ++i) {
        const auto byte = static_cast<unsigned char>(data.at(i));
        hex += QString("%1 ").arg(byte, 2, 16, QChar('0'));
        chars += (byte >= 32 && byte <= 126) ? QChar(byte) : QChar('.');
        if (i % BytesPerLine == BytesPerLine - 1) {
            result += hex + chars + "\n";
            hex.clear();
            chars.clear();
        }
        if (i == MaxDumpBytes - 1) {
            result += tr("+%1 bytes more").arg(data.size() - MaxDumpBytes);
            break;
        }
    }
    if (!chars.isEmpty())
        result += hex.leftJustified(HexPartWidth, ' ') + chars;
    return result;
}

QByteArray MonitorList::fingerprint(const QMimeData *data)
{
    if (!data)
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &format : data->formats()) {
        const QByteArray bytes = data->data(format);
        hash.addData(format.toUtf8());
        hash.addData(QByteArray::number(bytes.size()) + '\0');
        hash.addData(bytes);
    }
    return hash.result();
}

bool MonitorList::differsFromShown(const QMimeData *data) const
{
    return fingerprint(data) != m_shown;
}

void MonitorList::setMimeData(const QMimeData *data)
{
    clear();
    m_shown = fingerprint(data);
    if (!data)
        return;

    for (const QString &format : data->formats()) {
        auto *item = new QListWidgetItem(this);
        item->setData(FormatRole, format);
        bool hex = false;
        if (format == ImageFormat) {
            item->setData(ImageRole, data->imageData());
        } else {
            const QByteArray bytes = data->data(format);
            if (bytes.isEmpty() || isText(bytes)) {
                item->setData(DataRole, bytes);
            } else {
                item->setData(DataRole, convertToHex(bytes));
                hex = true;
            }
        }
        QWidget *widget = createItemWidget(item, hex);
        item->setSizeHint(widget->sizeHint());
        setItemWidget(item, widget);
    }
}

QWidget *MonitorList::createItemWidget(QListWidgetItem *item, bool hex)
{
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    layout->setContentsMargins(9, 9, 9, 9);
    layout->setSpacing(4);

    auto *heading = new QLabel(item->data(FormatRole).toString(), widget);
    heading->setTextFormat(Qt::PlainText);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSizeF(headingFont.pointSizeF() + 2);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    auto *content = new QLabel(widget);
    const QVariant image = item->data(ImageRole);
    if (image.isValid()) {
        QPixmap pixmap;
        if (image.metaType().id() == QMetaType::QPixmap)
            pixmap = image.value<QPixmap>();
        else
            pixmap = QPixmap::fromImage(image.value<QImage>());
        content->setPixmap(pixmap);
    } else {
        const QVariant value = item->data(DataRole);
        const QString text = value.metaType().id() == QMetaType::QByteArray
            ? QString::fromUtf8(value.toByteArray())
            : value.toString();
        // Clipboard data is shown as it is: markup in it must not be rendered.
        content->setTextFormat(Qt::PlainText);
        content->setText(text);
    }
    if (hex) {
        QFont mono = content->font();
        mono.setFamily("Courier New");
        // "Courier New" is rarely installed here; the hint keeps the dump aligned in any fallback.
        mono.setStyleHint(QFont::Monospace);
        mono.setFixedPitch(true);
        content->setFont(mono);
    }
    layout->addWidget(content, 1);

    QPalette palette = this->palette();
    const QBrush text(getColor(COLOR_TEXT), Qt::SolidPattern);
    palette.setBrush(QPalette::All, QPalette::Text, text);
    heading->setPalette(palette);
    content->setPalette(palette);

    return widget;
}
