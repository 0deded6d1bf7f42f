#include "common/jsonstructure.h"

#include <cmath>
#include <limits>

JsonStructure::JsonStructure(QString *error)
    : m_error(error)
{
}

bool JsonStructure::wrong(const QString &what)
{
    if (m_error)
        *m_error = "The document's structure is wrong: " + what;
    return false;
}

bool JsonStructure::isA(const QJsonValue &value, QJsonValue::Type type, const QString &what)
{
    return value.isUndefined() || value.type() == type || wrong(what + " has the wrong type");
}

bool JsonStructure::has(const QJsonObject &object, const char *name, QJsonValue::Type type)
{
    return isA(object.value(QLatin1String(name)), type, QString("\"%1\"").arg(QLatin1String(name)));
}

bool JsonStructure::text(const QJsonObject &object, const char *name, QString *out)
{
    if (!has(object, name, QJsonValue::String))
        return false;
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isUndefined())
        *out = value.toString();
    return true;
}

bool JsonStructure::flag(const QJsonObject &object, const char *name, bool *out)
{
    if (!has(object, name, QJsonValue::Bool))
        return false;
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isUndefined())
        *out = value.toBool();
    return true;
}

bool JsonStructure::integer(const QJsonObject &object, const char *name, int *out)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isUndefined())
        return true;
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number) || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        return wrong(QString("\"%1\" is not a whole number").arg(QLatin1String(name)));
    *out = int(number);
    return true;
}
