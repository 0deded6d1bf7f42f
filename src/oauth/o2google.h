#pragma once

#include "oauth/o2.h"

// The OAuth client preset for Google's sign-in, at the addresses GoogleService gives.
class O2Google : public O2
{
    Q_OBJECT

public:
    explicit O2Google(QObject *parent = nullptr);
};
