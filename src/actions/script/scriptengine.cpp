#include "actions/script/scriptengine.h"

#include "actions/script/actionapi.h"
#include "actions/script/actionwatchdog.h"

#include <QJSEngine>
#include <QObject>
#include <QStringList>

namespace {

// Calls the action function and turns its result into texts inside the engine, so that anything
// the script throws on the way (also from a getter or a toString of its own) is caught, whatever
// its type. Made before the action's own program runs, so the program cannot replace the
// built-ins it relies on.
const char *const callWrapper = R"((function () {
    const apply = Reflect.apply;
    const isArray = Array.isArray;
    const toText = String;
    const isObject = v => (typeof v === "object" && v !== null) || typeof v === "function";
    const textOf = v => isObject(v) ? toText(v.plainText) : toText(v);
    return function (action, args) {
        try {
            const value = apply(action, undefined, args);
            const texts = [];
            if (isArray(value)) {
                const length = value.length | 0;
                for (let i = 0; i < length; ++i)
                    texts[i] = textOf(value[i]);
            } else {
                texts[0] = textOf(value);
            }
            return { ok: true, value: value, texts: texts };
        } catch (thrown) {
            let text = "";
            try { text = toText(thrown); } catch (ignored) { }
            return { ok: false, value: thrown, text: text };
        }
    };
})())";

QString errorAt(const QJSValue &error)
{
    return QObject::tr("Failure at line %1: %2")
        .arg(error.property(QStringLiteral("lineNumber")).toInt())
        .arg(error.property(QStringLiteral("message")).toString());
}

QString thrownValue(const QString &text)
{
    return QObject::tr("Failure: %1").arg(text);
}

QString timedOut(int seconds)
{
    return QObject::tr("The action script did not finish within %1 seconds.").arg(seconds);
}

QList<QString> textsOf(const QJSValue &array)
{
    QList<QString> texts;
    const int length = array.property(QStringLiteral("length")).toInt();
    texts.reserve(length);
    for (int i = 0; i < length; ++i)
        texts.append(array.property(quint32(i)).toString());
    return texts;
}

// A fresh engine offers the console and "kestovan", and nothing else.
void prepare(QJSEngine &engine)
{
    engine.installExtensions(QJSEngine::ConsoleExtension);
    // Without a parent the wrapped object belongs to the engine and goes with it.
    engine.globalObject().setProperty(QStringLiteral("kestovan"), engine.newQObject(new ActionAPI(&engine)));
}

// Evaluates the program; returns the function it yields, or sets error and returns undefined.
QJSValue actionFunction(QJSEngine &engine, const ActionWatchdog &watchdog, const QString &script, int timeLimit,
                        QString &error)
{
    QStringList stackTrace;
    const QJSValue action = engine.evaluate(script, QString(), 1, &stackTrace);
    if (watchdog.expired())
        error = timedOut(timeLimit);
    else if (action.isError())
        error = errorAt(action);
    else if (!stackTrace.isEmpty())
        error = thrownValue(action.toString());
    else if (!action.isCallable())
        error = QObject::tr("The action script is not a function.");
    else
        return action;
    return QJSValue();
}

} // namespace

bool kestovanScriptCheck(const QString &script, QString &error, int timeLimit)
{
    QJSEngine engine;
    prepare(engine);
    ActionWatchdog watchdog(&engine, timeLimit);
    return actionFunction(engine, watchdog, script, timeLimit, error).isCallable();
}

void kestovanScriptEvaluate(const QString &script, const QString &plainText, const QString &application,
                            const QList<QString> &params, QString &error, int timeLimit, QList<QString> &texts)
{
    QJSEngine engine;
    prepare(engine);
    const QJSValue call = engine.evaluate(QString::fromLatin1(callWrapper));

    // Declared after the engine, so the clock is stopped before the engine goes.
    ActionWatchdog watchdog(&engine, timeLimit);
    const QJSValue action = actionFunction(engine, watchdog, script, timeLimit, error);
    if (!action.isCallable())
        return;

    QJSValue clipping = engine.newObject();
    clipping.setProperty(QStringLiteral("plainText"), plainText);
    clipping.setProperty(QStringLiteral("application"), application);
    QJSValue args = engine.newArray(quint32(params.size() + 1));
    args.setProperty(0, clipping);
    for (int i = 0; i < params.size(); ++i)
        args.setProperty(quint32(i + 1), params.at(i));

    const QJSValue outcome = call.call({action, args});
    if (watchdog.expired()) {
        error = timedOut(timeLimit);
    } else if (outcome.isError()) {
        error = errorAt(outcome);
    } else if (!outcome.property(QStringLiteral("ok")).toBool()) {
        const QJSValue thrown = outcome.property(QStringLiteral("value"));
        error = thrown.isError() ? errorAt(thrown) : thrownValue(outcome.property(QStringLiteral("text")).toString());
    } else if (outcome.property(QStringLiteral("value")).isError()) {
        error = errorAt(outcome.property(QStringLiteral("value")));
    } else {
        texts = textsOf(outcome.property(QStringLiteral("texts")));
    }
    // The limit could pass while the texts were read; such a run did not finish in time.
    watchdog.stop();
    if (watchdog.expired() && error.isEmpty()) {
        error = timedOut(timeLimit);
        texts.clear();
    }
}
