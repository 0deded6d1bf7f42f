#pragma once

#include "actions/script/scriptengine.h"

#include <QList>
#include <QString>

// The program's side of the script engine library: loads it once and forwards to it. When it
// cannot be loaded every run fails with an error saying so.
class ScriptLibrary
{
public:
    explicit ScriptLibrary(const QString &path);
    // The library next to the program, loaded on first use; safe from any thread.
    static const ScriptLibrary &instance();

    bool check(const QString &script, QString &error, int timeLimit) const;
    QList<QString> evaluate(const QString &script, const QString &plainText, const QString &application,
                            const QList<QString> &params, QString &error, int timeLimit) const;

private:
    QString loadFailure() const;

    ScriptEngine::Check m_check = nullptr;
    ScriptEngine::Evaluate m_evaluate = nullptr;
    QString m_loadError;
};
