#pragma once

#include <QJSValue>
#include <QObject>

class QJSEngine;

// The "kestovan" object of an action script. Everything here is reachable from scripts, so it
// must never offer files, the network or processes.
class ActionAPI : public QObject
{
    Q_OBJECT

public:
    explicit ActionAPI(QJSEngine *engine);

    Q_INVOKABLE QJSValue test();

private:
    QJSEngine *m_engine;
};
