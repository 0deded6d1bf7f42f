#pragma once

#include "oauth/o0abstractstore.h"
#include "oauth/o0simplecrypt.h"

class QSettings;

// Keeps every value enciphered in a settings object. The key comes from a pass phrase at run time
// and is never stored.
class O0SettingsStore : public O0AbstractStore
{
    Q_OBJECT
    Q_PROPERTY(QString groupKey READ groupKey WRITE setGroupKey NOTIFY groupKeyChanged)

public:
    // Uses the per-user native settings of the application, also in portable mode.
    explicit O0SettingsStore(const QString &encryptionKey, QObject *parent = nullptr);
    // Takes ownership of the settings.
    O0SettingsStore(QSettings *settings, const QString &encryptionKey, QObject *parent = nullptr);

    QString groupKey() const { return m_groupKey; }
    void setGroupKey(const QString &groupKey);

    // A value that does not decipher reads as empty.
    QString value(const QString &key, const QString &defaultValue = QString()) override;
    void setValue(const QString &key, const QString &value) override;

signals:
    void groupKeyChanged();

private:
    QString fullKey(const QString &key) const;

    QSettings *m_settings;
    QString m_groupKey;
    O0SimpleCrypt m_crypt;
};
