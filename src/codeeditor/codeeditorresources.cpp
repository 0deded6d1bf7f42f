#include "codeeditor/codeeditorresources.h"

#include <QtGlobal>

// Resources of a static library are only linked in when something asks for them by name.
void initCodeEditorResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(qcodeeditor_resources);
        return true;
    }();
    Q_UNUSED(registered);
}
