#include "actions/script/actionapi.h"

#include <QDebug>
#include <QJSEngine>

ActionAPI::ActionAPI(QJSEngine *engine)
    : m_engine(engine)
{
}

QJSValue ActionAPI::test()
{
    qDebug("Called test()");
    return m_engine->toScriptValue(QStringLiteral("Hello world"));
}
