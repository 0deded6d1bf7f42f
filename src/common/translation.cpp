#include "common/translation.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

#include <array>

QTranslator Translation::c_translator;
QTranslator Translation::c_qtTranslator;

namespace {

// The offered languages, in the order of their English names.
constexpr std::array<QLocale::Language, 7> Languages{
    QLocale::Chinese, QLocale::English, QLocale::Finnish, QLocale::French,
    QLocale::German,  QLocale::Hindi,   QLocale::Portuguese,
};

// A name that is not offered reads English, as its texts do.
QLocale localeOf(const QString &language)
{
    for (QLocale::Language offered : Languages) {
        if (QLocale::languageToString(offered) == language)
            return QLocale(offered);
    }
    return QLocale(QLocale::English);
}

QLocale s_locale(QLocale::English);

} // namespace

QList<QString> Translation::getLanguages()
{
    QList<QString> names;
    for (QLocale::Language language : Languages)
        names.append(QLocale::languageToString(language));
    return names;
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
    QCoreApplication::removeTranslator(&c_qtTranslator);
    installed.clear();
    s_locale = localeOf(language);

    // Qt's first: the translator installed last is asked first, so where both carry a text of
    // Qt's widgets, our wording wins. Qt's English catalogue is empty.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (c_qtTranslator.load(s_locale, QStringLiteral("qt"), QStringLiteral("_"), qtFolder) && !c_qtTranslator.isEmpty())
        QCoreApplication::installTranslator(&c_qtTranslator);
    if (c_translator.load(catalogue) && QCoreApplication::installTranslator(&c_translator))
        installed = catalogue;
}

QLocale Translation::locale()
{
    return s_locale;
}
