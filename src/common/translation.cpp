#include "common/translation.h"

#include <QCoreApplication>
#include <QFile>
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
    // English's catalogue holds only its plural forms; a language without one reads English.
    QString catalogue = ":/i18n/" + language + ".qm";
    if (!QFile::exists(catalogue))
        catalogue = QStringLiteral(":/i18n/English.qm");
    // Installing a catalogue retranslates every open window, rebuilding their lists and menus:
    // the one in use stays.
    static QString installed;
    if (catalogue == installed)
        return;
    QCoreApplication::removeTranslator(&c_translator);
    installed.clear();
    if (c_translator.load(catalogue) && QCoreApplication::installTranslator(&c_translator))
        installed = catalogue;
}
