#include "actions/scriptlibrary.h"

#include "common/ownlibrary.h"

#include <QObject>

ScriptLibrary::ScriptLibrary(const QString &path)
{
    m_check = reinterpret_cast<ScriptEngine::Check>(OwnLibrary::resolve(path, "kestovanScriptCheck", m_loadError));
    if (m_check)
        m_evaluate =
            reinterpret_cast<ScriptEngine::Evaluate>(OwnLibrary::resolve(path, "kestovanScriptEvaluate", m_loadError));
    if (!m_evaluate)
        m_check = nullptr;
}

const ScriptLibrary &ScriptLibrary::instance()
{
    static const ScriptLibrary library(OwnLibrary::path(QStringLiteral("kestovanscript")));
    return library;
}

// Translated when reported, in the language chosen by then.
QString ScriptLibrary::loadFailure() const
{
    return QObject::tr("The script engine could not be loaded: %1").arg(m_loadError);
}

bool ScriptLibrary::check(const QString &script, QString &error, int timeLimit) const
{
    if (!m_check) {
        error = loadFailure();
        return false;
    }
    return m_check(script, error, timeLimit);
}

QList<QString> ScriptLibrary::evaluate(const QString &script, const QString &plainText, const QString &application,
                                       const QList<QString> &params, QString &error, int timeLimit) const
{
    QList<QString> texts;
    if (!m_evaluate)
        error = loadFailure();
    else
        m_evaluate(script, plainText, application, params, error, timeLimit, texts);
    return texts;
}
