#pragma once

#include <QCompleter>

// Offers every name of ":/languages/js.xml", matched case-sensitively.
class QJSCompleter : public QCompleter
{
    Q_OBJECT

public:
    explicit QJSCompleter(QObject *parent = nullptr);
};
