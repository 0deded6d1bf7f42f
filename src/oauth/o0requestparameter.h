#pragma once

#include <QByteArray>

// One form or query parameter.
struct O0RequestParameter
{
    O0RequestParameter(const QByteArray &n, const QByteArray &v)
        : name(n)
        , value(v)
    {
    }

    QByteArray name;
    QByteArray value;
};
