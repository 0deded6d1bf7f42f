#include "common/utils.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>

namespace Utils {

QString makeOneLiner(QString text)
{
    QStringList kept;
    const QStringList lines = text.trimmed().split(QChar('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            kept.append(trimmed);
    }
    return kept.join(QChar(' ')).replace(QChar('\t'), QChar(' '));
}

QString storedTime(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    // A local time is written without its offset; this form keeps it (and gives "Z" for UTC).
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QString dateTimeToDuration(QDateTime time)
{
    const qint64 d = time.msecsTo(QDateTime::currentDateTimeUtc());
    constexpr qint64 minute = 60 * 1000;
    constexpr qint64 hour = 60 * minute;
    constexpr qint64 day = 24 * hour;
    // Each "A ... ago" covers exactly one second of age; from then on the count is in the text, and
    // every catalogue, English's too, gives it the plural forms of its language ("1 minute ago").
    if (d < minute)
        return QCoreApplication::translate("QObject", "A few seconds ago");
    if (d < minute + 1000)
        return QCoreApplication::translate("QObject", "A minute ago");
    if (d < hour)
        return QCoreApplication::translate("QObject", "%n minute(s) ago", nullptr, int(d / minute));
    if (d < hour + 1000)
        return QCoreApplication::translate("QObject", "An hour ago");
    if (d < day)
        return QCoreApplication::translate("QObject", "%n hour(s) ago", nullptr, int(d / hour));
    if (d < day + 1000)
        return QCoreApplication::translate("QObject", "A day ago");
    return QCoreApplication::translate("QObject", "%n day(s) ago", nullptr, int(d / day));
}

namespace {

bool isDroppedDeclaration(const QString &declaration)
{
    return declaration.startsWith("color:") || declaration.startsWith("font-size:")
        || declaration.startsWith("font-family:") || declaration.startsWith("background");
}

// Rewrites the value of one style attribute, keeping every declaration that is not a colour, font or background.
QString strippedStyleValue(QString value)
{
    value.replace("&quot;", "'");
    QStringList kept;
    for (const QString &part : value.split(';')) {
        const QString declaration = part.trimmed();
        if (!isDroppedDeclaration(declaration))
            kept.append(declaration);
    }
    return kept.join(';');
}

} // namespace

QString stripStyle(QString html)
{
    const auto options = QRegularExpression::DotMatchesEverythingOption;
    // Attribute names stand after white space, so data-id= and text such as "grid='x'" are left alone.
    static const QRegularExpression idAttribute("(?<=\\s)id=(['\"]).*?\\1", options);
    static const QRegularExpression headingTag("</?h\\d.*?>", options);
    // The closing quote must match the opening one: Qt writes style=" font-family:'Sans'; ".
    static const QRegularExpression styleAttribute("(?<=\\s)style=(['\"])(.*?)\\1", options);

    html.remove(idAttribute);
    html.remove(headingTag);

    QString result;
    result.reserve(html.size());
    qsizetype copiedUpTo = 0;
    QRegularExpressionMatchIterator matches = styleAttribute.globalMatch(html);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += QStringView(html).mid(copiedUpTo, match.capturedStart() - copiedUpTo);
        result += "style=\"" + strippedStyleValue(match.captured(2)) + "\"";
        copiedUpTo = match.capturedEnd();
    }
    result += QStringView(html).mid(copiedUpTo);
    return result;
}

QString fixMarkdown(QString html)
{
    return html.replace("margin-bottom:0px", "margin-bottom:10px")
        .replace("margin-top:0px", "margin-top:10px")
        .replace("font-weight:600", "font-weight:100");
}

QString generateRandomString(int length)
{
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString result;
    if (length < 1)
        return result;
    result.reserve(length);
    for (int i = 0; i < length; ++i) {
        const quint32 r = quint32(QRandomGenerator::global()->generate64());
        result += (r % 100 >= 91) ? QChar(' ') : alphabet.at(r % 62);
    }
    return result;
}

LowerCasedMatch matchLowerCased(QStringView text, QStringView needle)
{
    if (needle.isEmpty())
        return LowerCasedMatch::Found;
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    const char16_t *const wanted = needle.utf16();
    const qsizetype wantedSize = needle.size();
    const char16_t first = wanted[0];
    const char16_t firstUpper = first >= u'a' && first <= u'z' ? char16_t(first - (u'a' - u'A')) : first;
    // An ASCII character lower-cases to one ASCII character, so up to the first other character the
    // lower-cased text lines up with the text. Beyond it a character may lower-case to several, or
    // to ASCII ones.
    for (; p < end; ++p) {
        const char16_t c = *p;
        if (c >= 0x80)
            return LowerCasedMatch::Undecided;
        if (c != first && c != firstUpper)
            continue;
        qsizetype k = 1;
        for (; k < wantedSize && p + k < end; ++k) {
            char16_t d = p[k];
            if (d >= 0x80)
                return LowerCasedMatch::Undecided;
            if (d >= u'A' && d <= u'Z')
                d += u'a' - u'A';
            if (d != wanted[k])
                break;
        }
        if (k == wantedSize)
            return LowerCasedMatch::Found;
    }
    return LowerCasedMatch::Absent;
}

bool lowerCasedContains(const QString &text, const QString &needle)
{
    const LowerCasedMatch match = matchLowerCased(text, needle);
    if (match == LowerCasedMatch::Undecided)
        return text.toLower().contains(needle);
    return match == LowerCasedMatch::Found;
}

} // namespace Utils
