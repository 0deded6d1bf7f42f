#include "codeeditor/qjscompleter.h"

#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qlanguage.h"

#include <QStringListModel>

QJSCompleter::QJSCompleter(QObject *parent)
    : QCompleter(parent)
{
    QLanguage language;
    if (!loadLanguageResource(language, QStringLiteral(":/languages/js.xml")))
        return;

    QStringList words;
    const QStringList sections = language.keys();
    for (const QString &section : sections)
        words += language.names(section);

    setModel(new QStringListModel(words, this));
    setCompletionColumn(0);
    setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    setCaseSensitivity(Qt::CaseSensitive);
    setWrapAround(true);
}
