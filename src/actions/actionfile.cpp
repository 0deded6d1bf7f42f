#include "actions/actionfile.h"

#include "common/safefile.h"
#include "common/utils.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>

// Resources of a static library are only linked in when something asks for them by name.
static void registerActionResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(actions);
        return true;
    }();
    Q_UNUSED(registered);
}

QString ActionFile::builtInFolder()
{
    registerActionResources();
    return QStringLiteral(":/data/actions");
}

QString ActionFile::userFolder()
{
    return Utils::dataPath() + QStringLiteral("/actions");
}

QString ActionFile::templatePath()
{
    return builtInFolder() + QStringLiteral("/template.js");
}

bool ActionFile::isBuiltInKey(const QString &key)
{
    return key.startsWith(QLatin1Char(':'));
}

bool ActionFile::isDeleted(const QJsonObject &action)
{
    return action.value(QStringLiteral("deleted")).toBool();
}

ActionFile::ReadStatus ActionFile::read(const QString &path, QJsonObject &action, QString *error)
{
    QByteArray bytes;
    if (isBuiltInKey(path)) {
        registerActionResources();
        // A built-in action is a resource, which only QFile opens.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return ReadStatus::OpenFailed;
        bytes = file.readAll();
    } else {
        QString reason;
        switch (SafeFile::read(path, &bytes, &reason, MaxSize)) {
        case SafeFile::ReadResult::Read:
            break;
        case SafeFile::ReadResult::TooLarge:
            qWarning().noquote() << reason;
            if (error)
                *error = reason;
            return ReadStatus::TooLarge;
        case SafeFile::ReadResult::Missing:
        case SafeFile::ReadResult::Unreadable:
            return ReadStatus::OpenFailed;
        }
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return ReadStatus::ParseFailed;
    action = document.object();
    return ReadStatus::Ok;
}

QMap<QString, QString> ActionFile::parameterValues(const QString &key)
{
    QSettings settings = Utils::settings();
    const QVariantMap stored = settings.value(QStringLiteral("Parameters/") + QFileInfo(key).fileName()).toMap();
    QMap<QString, QString> values;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        values.insert(it.key(), it.value().toString());
    return values;
}

namespace {

QString baseNameOf(const QString &title)
{
    static const QRegularExpression notLetterOrDigit(QStringLiteral("[^a-zA-Z\\d]"));
    QString baseName = title;
    baseName.remove(notLetterOrDigit);
    // An empty name would give the hidden file ".json", which no scan ever lists.
    if (baseName.isEmpty())
        baseName = QStringLiteral("action");
    return baseName;
}

QString candidatePath(const QString &folder, const QString &baseName, int counter)
{
    const QString suffix = counter == 0 ? QString() : QStringLiteral("-%1").arg(counter);
    return folder + QLatin1Char('/') + baseName + suffix + QStringLiteral(".json");
}

// A link counts even when it leads nowhere: writing the new action would replace it.
bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString ActionFile::newFilePath(const QString &folder, const QString &title)
{
    const QString baseName = baseNameOf(title);
    QString candidate = candidatePath(folder, baseName, 0);
    for (int counter = 1; isTaken(candidate); ++counter)
        candidate = candidatePath(folder, baseName, counter);
    return candidate;
}

QString ActionFile::claimNewFilePath(const QString &folder, const QString &title)
{
    const QString baseName = baseNameOf(title);
    for (int counter = 0;; ++counter) {
        const QString candidate = candidatePath(folder, baseName, counter);
        if (isTaken(candidate))
            continue;
        QFile file(candidate);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return candidate;
        // Taken between the look and the claim: try the next name. Any other refusal is the
        // folder's, and the write reports it.
        if (!isTaken(candidate))
            return candidate;
    }
}

bool ActionFile::write(const QString &path, const QJsonObject &action, QString *error)
{
    return SafeFile::writeDocument(path, QJsonDocument(action).toJson(QJsonDocument::Compact), error, nullptr,
                                   SafeFile::Links::Replace, MaxSize);
}

QString ActionFile::timeStamp()
{
    return Utils::storedTime(QDateTime::currentDateTime());
}

void ActionFile::storeParameterValues(const QString &key, const QMap<QString, QString> &values)
{
    QVariantMap stored;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        stored.insert(it.key(), it.value());
    QSettings settings = Utils::settings();
    settings.setValue(QStringLiteral("Parameters/") + QFileInfo(key).fileName(), stored);
}

bool ActionFile::isPlainFileName(const QString &name)
{
    return name.endsWith(QStringLiteral(".json")) && !name.startsWith(QLatin1Char('.'))
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QStringLiteral("..")) && !name.contains(QChar(0));
}

QString ActionFile::userFilePath(const QString &name)
{
    if (!isPlainFileName(name))
        return QString();
    return userFolder() + QLatin1Char('/') + name;
}
