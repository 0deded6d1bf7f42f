#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The action script engine. It lives in a library of its own (libkestovanscript.so), which the
// program loads the first time a script runs, so that Qt's JavaScript engine is not read at every
// start. The program calls it only through these entry points, found by name.
extern "C" {

// Evaluates `script` without calling the function it yields; false with `error` set when the
// program fails, throws, runs out of time or yields no function.
Q_DECL_EXPORT bool kestovanScriptCheck(const QString &script, QString &error, int timeLimit);
// Runs `script` on the clipping and stores its texts in `texts`; on failure `texts` stays empty
// and `error` is set, which is otherwise left alone.
Q_DECL_EXPORT void kestovanScriptEvaluate(const QString &script, const QString &plainText, const QString &application,
                                          const QList<QString> &params, QString &error, int timeLimit,
                                          QList<QString> &texts);
}

namespace ScriptEngine {
using Check = decltype(&kestovanScriptCheck);
using Evaluate = decltype(&kestovanScriptEvaluate);
} // namespace ScriptEngine
