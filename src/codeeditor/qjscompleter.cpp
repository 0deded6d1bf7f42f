#include "codeeditor/qjscompleter.h"

#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qlanguage.h"

#include <QFile>
#include <QStringListModel>

QJSCompleter::QJSCompleter(QObject *parent)
    : QCompleter(parent)
{
    initCodeEditorResources();
    QFile file(QStringLiteral(":/languages/js.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QLanguage language(&file);
    if (!language.isLoaded())
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
