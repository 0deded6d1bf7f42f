#include "codeeditor/qlanguage.h"

#include <QIODevice>
#include <QXmlStreamReader>

QLanguage::QLanguage(QIODevice *device, QObject *parent)
    : QObject(parent)
{
    load(device);
}

bool QLanguage::load(QIODevice *device)
{
    if (!device)
        return false;

    QXmlStreamReader reader(device);
    QString section;
    QStringList entries;
    bool takeText = false;
    while (!reader.atEnd() && !reader.hasError()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (reader.name() == QLatin1StringView("section")) {
                if (!entries.isEmpty()) {
                    m_list.insert(section, entries);
                    entries.clear();
                }
                section = reader.attributes().value("name").toString();
            } else if (reader.name() == QLatin1StringView("name")) {
                takeText = true;
            }
        } else if (token == QXmlStreamReader::Characters && takeText) {
            entries.append(reader.text().toString());
            takeText = false;
        }
    }
    if (!entries.isEmpty())
        m_list.insert(section, entries);

    m_loaded = !reader.hasError();
    return m_loaded;
}

QStringList QLanguage::keys() const
{
    return m_list.keys();
}

QStringList QLanguage::names(const QString &key) const
{
    return m_list.value(key);
}

bool QLanguage::isLoaded() const
{
    return m_loaded;
}
