#pragma once

#include <QList>
#include <QLocale>
#include <QString>

class QTranslator;

class Translation
{
public:
    static QList<QString> getLanguages();
    static void selectLanguage(QString language);
    // The locale of the language in use, for dates and numbers inside translated texts.
    static QLocale locale();

    // The one translator of the program's own texts; installed only while a catalogue is loaded.
    static QTranslator c_translator;
    // Qt's own texts (file dialogs, standard buttons, edit menus, key names) for the same language,
    // from Qt's translations folder; not installed for a language Qt has no catalogue of.
    static QTranslator c_qtTranslator;
};
