#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Environment variables changed for one scope: each is put back as it was, set or not, when the
// object goes.
class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

    ~ScopedEnvironment()
    {
        for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
            if (it->set)
                qputenv(it->name, it->value);
            else
                qunsetenv(it->name);
        }
    }

    // An empty value unsets the variable.
    void set(const char *name, const QByteArray &value)
    {
        m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

private:
    struct Saved
    {
        const char *name;
        QByteArray value;
        bool set;
    };
    QList<Saved> m_saved;
};
