#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Reads a translation catalogue (.ts) for the tests that check the catalogues.
namespace TranslationCatalogue {

struct Message
{
    QString context;
    QString source;
    QString type; // "unfinished", "obsolete", "vanished" or empty
    QStringList forms; // one text, or one per plural form
    bool numerus = false;
};

struct Catalogue
{
    QString language;
    QList<Message> messages;
    QString error;
};

inline Catalogue readCatalogue(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        catalogue.error = file.errorString();
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"TS") {
            catalogue.language = xml.attributes().value("language").toString();
        } else if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            catalogue.messages.append({context, {}, {}, {}, xml.attributes().value("numerus") == u"yes"});
        } else if (xml.name() == u"source" && !catalogue.messages.isEmpty()) {
            catalogue.messages.last().source = xml.readElementText();
        } else if (xml.name() == u"translation" && !catalogue.messages.isEmpty()) {
            Message &message = catalogue.messages.last();
            message.type = xml.attributes().value("type").toString();
            if (!message.numerus)
                message.forms.append(xml.readElementText());
        } else if (xml.name() == u"numerusform" && !catalogue.messages.isEmpty()) {
            catalogue.messages.last().forms.append(xml.readElementText());
        }
    }
    if (xml.hasError())
        catalogue.error = xml.errorString();
    return catalogue;
}

} // namespace TranslationCatalogue
