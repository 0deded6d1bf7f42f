#pragma once

#include <QList>
#include <QString>

class QTranslator;

class Translation
{
public:
    static QList<QString> getLanguages();
    static void selectLanguage(QString language);

    // The one translator of the process; installed only while a catalogue is loaded.
    static QTranslator c_translator;
};
