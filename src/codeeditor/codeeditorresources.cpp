#include "codeeditor/codeeditorresources.h"

#include "codeeditor/qlanguage.h"

#include <QFile>

// Resources of a static library are only linked in when something asks for them by name.
void initCodeEditorResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(qcodeeditor_resources);
        return true;
    }();
    Q_UNUSED(registered);
}

bool loadLanguageResource(QLanguage &language, const QString &path)
{
    initCodeEditorResources();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && language.load(&file);
}
