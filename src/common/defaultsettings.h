#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Every main settings key with its default, in the order the defaults routine writes them.
// Readers elsewhere read these keys without defaults of their own.
struct DefaultSetting {
    QString key;
    QVariant value;
};

QList<DefaultSetting> defaultSettings();

// The default interface language: the English name of the default locale's language.
QString defaultLanguage();
