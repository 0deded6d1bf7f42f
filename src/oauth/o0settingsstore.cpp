#include "oauth/o0settingsstore.h"

#include "common/privatefiles.h"
#include "common/settingsfile.h"
#include "oauth/o0cryptkey.h"

#include <QFileInfo>
#include <QSettings>

O0SettingsStore::O0SettingsStore(const QString &encryptionKey, QObject *parent)
    : O0SettingsStore(SettingsFile::nativeStore().release(), encryptionKey, parent)
{
    // In portable mode the program's settings lie elsewhere, and nothing else made this file
    // private before the tokens reach it.
    const QString file = m_settings->fileName();
    PrivateFiles::makeFolder(QFileInfo(file).absolutePath());
    PrivateFiles::prepareFile(file);
}

O0SettingsStore::O0SettingsStore(QSettings *settings, const QString &encryptionKey, QObject *parent)
    : O0AbstractStore(parent)
    , m_settings(settings)
    , m_crypt(O0CryptKey::fromBytes(encryptionKey.toLatin1()))
{
    m_settings->setParent(this);
}

void O0SettingsStore::setGroupKey(const QString &groupKey)
{
    if (m_groupKey == groupKey)
        return;
    m_groupKey = groupKey;
    emit groupKeyChanged();
}

QString O0SettingsStore::fullKey(const QString &key) const
{
    return m_groupKey.isEmpty() ? key : m_groupKey + '/' + key;
}

QString O0SettingsStore::value(const QString &key, const QString &defaultValue)
{
    const QString stored = fullKey(key);
    if (!m_settings->contains(stored))
        return defaultValue;
    return m_crypt.decryptToString(m_settings->value(stored).toString());
}

void O0SettingsStore::setValue(const QString &key, const QString &value)
{
    m_settings->setValue(fullKey(key), m_crypt.encryptToString(value));
}
