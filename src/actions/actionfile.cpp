#include "actions/actionfile.h"

#include "common/utils.h"

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

ActionFile::ReadStatus ActionFile::read(const QString &path, QJsonObject &action)
{
    if (isBuiltInKey(path))
        registerActionResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::OpenFailed;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
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

QString ActionFile::newFilePath(const QString &folder, const QString &title)
{
    static const QRegularExpression notLetterOrDigit(QStringLiteral("[^a-zA-Z\\d]"));
    QString baseName = title;
    baseName.remove(notLetterOrDigit);
    // An empty name would give the hidden file ".json", which no scan ever lists.
    if (baseName.isEmpty())
        baseName = QStringLiteral("action");

    QString candidate = folder + QLatin1Char('/') + baseName + QStringLiteral(".json");
    for (int counter = 1; QFileInfo::exists(candidate); ++counter)
        candidate = folder + QLatin1Char('/') + baseName + QStringLiteral("-%1").arg(counter) + QStringLiteral(".json");
    return candidate;
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
