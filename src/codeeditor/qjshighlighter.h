#pragma once

#include "codeeditor/qhighlightrule.h"
#include "codeeditor/qstylesyntaxhighlighter.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QStringView>

// Highlights JavaScript with the names of ":/languages/js.xml" and the scheme's "Type",
// "Function", "Keyword", "Number", "String" and "Comment" formats.
class QJSHighlighter : public QStyleSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit QJSHighlighter(QTextDocument *document = nullptr);

    // The keyword-list, number, string and line-comment rules, in the order they apply.
    const QList<QHighlightRule> &rules() const;

protected:
    void highlightBlock(const QString &text) override;

private:
    // A run of consecutive rules that are all "\bname\b" for a plain ASCII name matches exactly the
    // whole words of the line that equal one of the names, so it runs as one pass over the words
    // with a table instead of one pattern per name. Every other rule is a pass of its own.
    struct Pass
    {
        int rule = -1;                     // the pattern rule, or -1 for a word table
        QHash<QStringView, int> wordRules; // word -> the last rule of the run naming it
    };

    void buildPasses();
    void applyWordTable(const QString &text, const Pass &pass);
    void applyMatches(const QString &text, const QRegularExpression &pattern, int group,
                      const QString &formatName);
    void highlightComments(const QString &text);

    QList<QHighlightRule> m_highlightRules;
    QList<Pass> m_passes;
    QStringList m_ruleWords; // per rule: its plain name, or empty; the word tables view this text

    QRegularExpression m_functionPattern;
    QRegularExpression m_defTypePattern;
    QRegularExpression m_commentStartPattern;
    QRegularExpression m_commentEndPattern;
};
