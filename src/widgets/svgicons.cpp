#include "widgets/svgicons.h"

#include "common/theme.h"
#include "platform/platform.h"
#include "widgets/svgiconengine.h"

#include <QDebug>
#include <QFile>
#include <QSvgRenderer>

namespace {

// Whether the character that ends at position (before it) would continue an attribute name, as a
// word character or a hyphen: fill-opacity and stroke-opacity are other attributes.
bool continuesName(const QString &text, qsizetype position)
{
    if (position <= 0)
        return false;
    const QChar last = text.at(position - 1);
    if (last == QLatin1Char('_') || last == QLatin1Char('-'))
        return true;
    if (last.isLowSurrogate() && position >= 2 && text.at(position - 2).isHighSurrogate())
        return QChar::isLetterOrNumber(QChar::surrogateToUcs4(text.at(position - 2), last));
    return last.isLetterOrNumber();
}

// A plain search: a pattern compiled here was a good part of the first icons' cost at start.
void replaceFullOpacity(QString &text, const QString &replacement)
{
    static const QString full = QStringLiteral("opacity=\"1.0\"");
    for (qsizetype at = text.indexOf(full); at >= 0; at = text.indexOf(full, at)) {
        if (continuesName(text, at)) {
            at += full.size();
            continue;
        }
        text.replace(at, full.size(), replacement);
        at += replacement.size();
    }
}

} // namespace

namespace Utils {

QByteArray loadSvg(QString path, bool followSystem, double opacity)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Could not open file for read:" << path;
        return QByteArray();
    }
    QString text = QString::fromUtf8(file.readAll());
    file.close();

    const bool dark = followSystem ? isDarkMode() : getTheme() == THEME_DARK;
    // The icons are drawn in exactly this black; other spellings are deliberate colours.
    if (dark)
        text.replace("#000000", "#FFFFFF", Qt::CaseSensitive);

    replaceFullOpacity(text, QString("opacity=\"%1\"").arg(QString::number(opacity)));

    return text.toUtf8();
}

QIcon svg2icon(QString path, bool followSystem)
{
    return QIcon(new SVGIconEngine(QString::fromUtf8(loadSvg(path, followSystem, 1.0))));
}

QIcon svg2icon(QString path, QString replacement, QString replaced)
{
    QByteArray data = loadSvg(path, true, 1.0);
    if (!replaced.isEmpty())
        data.replace(replaced.toUtf8(), replacement.toUtf8());
    return QIcon(new SVGIconEngine(QString::fromUtf8(data)));
}

void renderSvg(QString path, QPainter *painter, QRect rect, bool followSystem)
{
    QSvgRenderer renderer(loadSvg(path, followSystem, 1.0));
    renderer.render(painter, QRectF(rect));
}

void renderSvg(QString path, QPainter *painter, QRect rect, double opacity)
{
    QSvgRenderer renderer(loadSvg(path, false, opacity));
    renderer.render(painter, QRectF(rect));
}

} // namespace Utils
