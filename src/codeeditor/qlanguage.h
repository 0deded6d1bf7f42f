#pragma once

#include <QMap>
#include <QObject>
#include <QStringList>

class QIODevice;

// A keyword list: "section" elements with a "name" attribute, each holding "name" entries.
class QLanguage : public QObject
{
    Q_OBJECT

public:
    explicit QLanguage(QIODevice *device = nullptr, QObject *parent = nullptr);

    // Returns whether the device was read without an XML error; a null device gives false.
    bool load(QIODevice *device);

    // Section names in ascending order.
    QStringList keys() const;
    // The section's entries in file order; empty for a section the list lacks.
    QStringList names(const QString &key) const;
    bool isLoaded() const;

private:
    bool m_loaded = false;
    QMap<QString, QStringList> m_list;
};
