#pragma once

#include <QObject>

#include <optional>

class QDBusVariant;

// The desktop's colour-scheme preference from the XDG desktop portal
// (org.freedesktop.appearance color-scheme), read once and then kept current by the portal's
// change signal, so that asking for it on every icon costs nothing.
class DesktopAppearance : public QObject
{
    Q_OBJECT

public:
    explicit DesktopAppearance(QObject *parent = nullptr);

    // True for dark, false for light, none when there is no portal or it states no preference.
    std::optional<bool> prefersDark();

    // Whether the session names a bus of its own. Without one, connecting makes the D-Bus library
    // fork this process to start a private bus (dbus-launch), and such a bus holds no portal.
    static bool sessionBusKnown();

private slots:
    void onSettingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    void read();

    bool m_read = false;
    std::optional<bool> m_prefersDark;
};
