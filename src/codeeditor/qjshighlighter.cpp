#include "codeeditor/qjshighlighter.h"

#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qlanguage.h"
#include "codeeditor/qsyntaxstyle.h"

#include <algorithm>

namespace {

bool isAsciiWordCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

bool isPlainWord(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), isAsciiWordCharacter);
}

const char numberPattern[] =
    R"((?<=\b|\s|^)(?i)(?:(?:(?:(?:(?:\d+(?:'\d+)*)?\.(?:\d+(?:'\d+)*)(?:e[+-]?(?:\d+(?:'\d+)*))?)|)"
    R"((?:(?:\d+(?:'\d+)*)\.(?:e[+-]?(?:\d+(?:'\d+)*))?)|(?:(?:\d+(?:'\d+)*)(?:e[+-]?(?:\d+(?:'\d+)*)))|)"
    R"((?:0x(?:[0-9a-f]+(?:'[0-9a-f]+)*)?\.(?:[0-9a-f]+(?:'[0-9a-f]+)*)(?:p[+-]?(?:\d+(?:'\d+)*)))|)"
    R"((?:0x(?:[0-9a-f]+(?:'[0-9a-f]+)*)\.?(?:p[+-]?(?:\d+(?:'\d+)*))))[lf]?)|)"
    R"((?:(?:(?:[1-9]\d*(?:'\d+)*)|(?:0[0-7]*(?:'[0-7]+)*)|(?:0x[0-9a-f]+(?:'[0-9a-f]+)*)|)"
    R"((?:0b[01]+(?:'[01]+)*))(?:u?l{0,2}|l{0,2}u?)))(?=\b|\s|$))";

} // namespace

QJSHighlighter::QJSHighlighter(QTextDocument *document)
    : QStyleSyntaxHighlighter(document)
    , m_functionPattern(QStringLiteral(
          R"(\b([_a-zA-Z][_a-zA-Z0-9]*\s+)?((?:[_a-zA-Z][_a-zA-Z0-9]*\s*::\s*)*[_a-zA-Z][_a-zA-Z0-9]*)(?=\s*\())"))
    , m_defTypePattern(QStringLiteral(R"(\b([_a-zA-Z][_a-zA-Z0-9]*)\s+[_a-zA-Z][_a-zA-Z0-9]*\s*[;=])"))
    , m_commentStartPattern(QStringLiteral(R"(/\*)"))
    , m_commentEndPattern(QStringLiteral(R"(\*/)"))
{
    QLanguage language;
    if (!loadLanguageResource(language, QStringLiteral(":/languages/js.xml")))
        return;

    const QStringList sections = language.keys();
    for (const QString &section : sections) {
        const QStringList names = language.names(section);
        for (const QString &name : names) {
            m_highlightRules.append({QRegularExpression(QStringLiteral("\\b%1\\b").arg(name)), section});
            m_ruleWords.append(isPlainWord(name) ? name : QString());
        }
    }
    const QHighlightRule trailing[] = {
        {QRegularExpression(QLatin1StringView(numberPattern)), QStringLiteral("Number")},
        {QRegularExpression(QStringLiteral(R"("[^\n"]*")")), QStringLiteral("String")},
        {QRegularExpression(QStringLiteral(R"(//[^\n]*)")), QStringLiteral("Comment")},
    };
    for (const QHighlightRule &rule : trailing) {
        m_highlightRules.append(rule);
        m_ruleWords.append(QString());
    }
    buildPasses();
}

const QList<QHighlightRule> &QJSHighlighter::rules() const
{
    return m_highlightRules;
}

void QJSHighlighter::buildPasses()
{
    for (int i = 0; i < m_highlightRules.size(); ++i) {
        if (m_ruleWords.at(i).isEmpty()) {
            m_passes.append(Pass{i, {}});
            continue;
        }
        if (m_passes.isEmpty() || m_passes.last().rule != -1)
            m_passes.append(Pass{-1, {}});
        m_passes.last().wordRules.insert(QStringView(m_ruleWords.at(i)), i);
    }
}

void QJSHighlighter::highlightBlock(const QString &text)
{
    if (!syntaxStyle())
        return;

    for (auto it = m_functionPattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        setFormat(match.capturedStart(), match.capturedLength(), syntaxStyle()->getFormat(QStringLiteral("Type")));
        setFormat(match.capturedStart(2), match.capturedLength(2),
                  syntaxStyle()->getFormat(QStringLiteral("Function")));
    }
    applyMatches(text, m_defTypePattern, 1, QStringLiteral("Type"));

    for (const Pass &pass : std::as_const(m_passes)) {
        if (pass.rule < 0)
            applyWordTable(text, pass);
        else
            applyMatches(text, m_highlightRules.at(pass.rule).pattern, 0, m_highlightRules.at(pass.rule).formatName);
    }

    highlightComments(text);
}

void QJSHighlighter::applyMatches(const QString &text, const QRegularExpression &pattern, int group,
                                  const QString &formatName)
{
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        setFormat(match.capturedStart(group), match.capturedLength(group), syntaxStyle()->getFormat(formatName));
    }
}

void QJSHighlighter::applyWordTable(const QString &text, const Pass &pass)
{
    const QStringView line(text);
    qsizetype i = 0;
    while (i < line.size()) {
        if (!isAsciiWordCharacter(line.at(i))) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < line.size() && isAsciiWordCharacter(line.at(i)))
            ++i;
        const auto found = pass.wordRules.constFind(line.mid(start, i - start));
        if (found != pass.wordRules.cend())
            setFormat(start, i - start, syntaxStyle()->getFormat(m_highlightRules.at(found.value()).formatName));
    }
}

void QJSHighlighter::highlightComments(const QString &text)
{
    setCurrentBlockState(0);
    qsizetype start = previousBlockState() == 1 ? 0 : text.indexOf(m_commentStartPattern);
    while (start >= 0) {
        const QRegularExpressionMatch end = m_commentEndPattern.match(text, start);
        qsizetype length;
        if (end.hasMatch()) {
            length = end.capturedStart() - start + end.capturedLength();
        } else {
            setCurrentBlockState(1);
            length = text.size() - start;
        }
        setFormat(start, length, syntaxStyle()->getFormat(QStringLiteral("Comment")));
        start = text.indexOf(m_commentStartPattern, start + length);
    }
}
