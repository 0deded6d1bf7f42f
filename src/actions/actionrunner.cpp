#include "actions/actionfile.h"
#include "actions/actionhelpers.h"
#include "actions/scriptlibrary.h"

#include <QJsonArray>
#include <QObject>

namespace ActionHelpers {

bool check(QString script, QString &error, int timeLimit)
{
    return ScriptLibrary::instance().check(script, error, timeLimit);
}

QList<QString> evaluate(QString script, QString plainText, QString application, QList<QString> params,
                        QString &error, int timeLimit)
{
    return ScriptLibrary::instance().evaluate(script, plainText, application, params, error, timeLimit);
}

QList<QString> execute(QString path, QString plainText, QString application, QString &error)
{
    QJsonObject action;
    QString reason;
    switch (ActionFile::read(path, action, &reason)) {
    case ActionFile::ReadStatus::TooLarge:
        error = reason;
        return {};
    case ActionFile::ReadStatus::OpenFailed:
        error = QObject::tr("Failed to open: ") + path;
        return {};
    case ActionFile::ReadStatus::ParseFailed:
        error = QObject::tr("Failed to parse json: ") + path;
        return {};
    case ActionFile::ReadStatus::Ok:
        break;
    }
    // A tombstone keeps its script so that the deletion can be synchronised; it must not run.
    if (ActionFile::isDeleted(action)) {
        error = QObject::tr("The action has been deleted: ") + path;
        return {};
    }

    const QMap<QString, QString> stored = ActionFile::parameterValues(path);
    QList<QString> args;
    const QJsonArray params = action.value(QStringLiteral("params")).toArray();
    for (const QJsonValue &param : params)
        args.append(stored.value(param.toString()));

    return evaluate(action.value(QStringLiteral("script")).toString(), plainText, application, args, error);
}

} // namespace ActionHelpers
