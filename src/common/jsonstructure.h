#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Checks the structure of a stored JSON document member by member. A member of the wrong type would
// read as an empty text, 0 or false, its record would be dropped and lost at the next save, so such
// a document is not read at all. A missing member reads as empty.
class JsonStructure
{
public:
    // Receives the first problem found; may be null.
    explicit JsonStructure(QString *error);

    // Records a problem; always false.
    bool wrong(const QString &what);

    // value is missing or of the type; what names it in the problem.
    bool isA(const QJsonValue &value, QJsonValue::Type type, const QString &what);
    bool has(const QJsonObject &object, const char *name, QJsonValue::Type type);

    // Each reads the member into out when it is missing (out keeps its value) or of its type.
    bool text(const QJsonObject &object, const char *name, QString *out);
    bool flag(const QJsonObject &object, const char *name, bool *out);
    // A number without fraction within int's range (JSON has only doubles).
    bool integer(const QJsonObject &object, const char *name, int *out);

private:
    QString *m_error;
};
