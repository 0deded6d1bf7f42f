#pragma once

#include <QObject>
#include <QString>

// Where the OAuth client keeps its state: plain string values under string keys.
class O0AbstractStore : public QObject
{
    Q_OBJECT

public:
    explicit O0AbstractStore(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    virtual QString value(const QString &key, const QString &defaultValue = QString()) = 0;
    virtual void setValue(const QString &key, const QString &value) = 0;
};
