#include "common/translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

QTranslator Translation::c_translator;

QList<QString> Translation::getLanguages()
{
    return {
        QLocale::languageToString(QLocale::Chinese),
        QLocale::languageToString(QLocale::English),
        QLocale::languageToString(QLocale::Finnish),
        QLocale::languageToString(QLocale::French),
        QLocale::languageToString(QLocale::German),
        QLocale::languageToString(QLocale::Hindi),
        QLocale::languageToString(QLocale::Portuguese),
    };
}

void Translation::selectLanguage(QString language)
{
    QCoreApplication::removeTranslator(&c_translator);
    // English's catalogue holds only its plural forms; a language without one reads English.
    if (c_translator.load(":/i18n/" + language + ".qm") || c_translator.load(":/i18n/English.qm"))
        QCoreApplication::installTranslator(&c_translator);
}
