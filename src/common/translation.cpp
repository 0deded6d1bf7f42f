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
    // English has no catalogue: the failed load leaves the source texts in place.
    if (c_translator.load(":/i18n/" + language + ".qm"))
        QCoreApplication::installTranslator(&c_translator);
}
