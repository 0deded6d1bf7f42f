#include "codeeditor/qsyntaxstyle.h"

#include "codeeditor/codeeditorresources.h"

#include <QColor>
#include <QDebug>
#include <QFile>
#include <QFont>
#include <QXmlStreamReader>

namespace {

struct UnderlineName
{
    QLatin1StringView name;
    QTextCharFormat::UnderlineStyle style;
};

const UnderlineName underlineNames[] = {
    {QLatin1StringView("SingleUnderline"), QTextCharFormat::SingleUnderline},
    {QLatin1StringView("DashUnderline"), QTextCharFormat::DashUnderline},
    {QLatin1StringView("DotLine"), QTextCharFormat::DotLine},
    {QLatin1StringView("DashDotLine"), QTextCharFormat::DashDotLine},
    {QLatin1StringView("DashDotDotLine"), QTextCharFormat::DashDotDotLine},
    {QLatin1StringView("WaveUnderline"), QTextCharFormat::WaveUnderline},
    {QLatin1StringView("SpellCheckUnderline"), QTextCharFormat::SpellCheckUnderline},
};

QTextCharFormat::UnderlineStyle underlineStyle(QStringView value)
{
    for (const UnderlineName &entry : underlineNames) {
        if (value == entry.name)
            return entry.style;
    }
    qDebug().noquote() << "Unknown underline value" << value;
    return QTextCharFormat::NoUnderline;
}

QTextCharFormat readFormat(const QXmlStreamAttributes &attributes)
{
    QTextCharFormat format;
    if (attributes.hasAttribute("background"))
        format.setBackground(QColor::fromString(attributes.value("background")));
    if (attributes.hasAttribute("foreground"))
        format.setForeground(QColor::fromString(attributes.value("foreground")));
    if (attributes.value("bold") == QLatin1StringView("true"))
        format.setFontWeight(QFont::Bold);
    if (attributes.value("italic") == QLatin1StringView("true"))
        format.setFontItalic(true);
    if (attributes.hasAttribute("underlineStyle")) {
        const QTextCharFormat::UnderlineStyle style = underlineStyle(attributes.value("underlineStyle"));
        if (style != QTextCharFormat::NoUnderline)
            format.setUnderlineStyle(style);
    }
    return format;
}

} // namespace

QSyntaxStyle::QSyntaxStyle(QObject *parent)
    : QObject(parent)
{
}

bool QSyntaxStyle::load(const QString &text)
{
    QXmlStreamReader reader(text);
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1StringView("style-scheme")) {
            if (attributes.hasAttribute("name"))
                m_name = attributes.value("name").toString();
        } else if (reader.name() == QLatin1StringView("style")) {
            m_data.insert(attributes.value("name").toString(), readFormat(attributes));
        }
    }
    m_loaded = !reader.hasError();
    return m_loaded;
}

QString QSyntaxStyle::name() const
{
    return m_name;
}

QTextCharFormat QSyntaxStyle::getFormat(const QString &name) const
{
    return m_data.value(name);
}

bool QSyntaxStyle::isLoaded() const
{
    return m_loaded;
}

QSyntaxStyle *QSyntaxStyle::defaultStyle()
{
    static QSyntaxStyle style;
    if (style.isLoaded())
        return &style;

    initCodeEditorResources();
    QFile file(QStringLiteral(":/default_style.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return &style;
    if (!style.load(QString::fromUtf8(file.readAll())))
        qDebug() << "Can't load default style.";
    return &style;
}
