#include "settings/autostartfile.h"

#include "common/safefile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString Label = QStringLiteral("org.morva.Kestovan");

// Characters that make a desktop-entry argument need quotes.
const QString Reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

QString execLine(const QByteArray &entry)
{
    for (const QByteArray &line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    }
    return QString();
}

} // namespace

namespace AutoStartFile {

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart/" + Label
        + ".desktop";
}

QString execArgument(const QString &program)
{
    QString argument = program;
    argument.replace('%', "%%");
    const bool quote = std::any_of(argument.cbegin(), argument.cend(), [](QChar c) { return Reserved.contains(c); });
    if (quote) {
        QString quoted;
        for (const QChar c : std::as_const(argument)) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
        argument = '"' + quoted + '"';
    }
    // The string escapes of the key file apply on top of the quoting.
    argument.replace('\\', "\\\\");
    argument.replace('\n', "\\n");
    argument.replace('\t', "\\t");
    argument.replace('\r', "\\r");
    return argument;
}

QByteArray content(const QString &program)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Kestovan\n"
           "Exec="
        + execArgument(program).toUtf8()
        + "\n"
          "Terminal=false\n"
          "X-GNOME-Autostart-enabled=true\n";
}

bool apply(bool enabled, const QString &program)
{
    const QString file = path();
    if (!enabled) {
        const QFileInfo info(file);
        if (!info.exists() && !info.isSymLink())
            return true;
        QFile entry(file);
        if (!entry.remove()) {
            qWarning().noquote() << "Could not remove the autostart file " + file + ": " + entry.errorString();
            return false;
        }
        return true;
    }

    QFile existing(file);
    if (existing.open(QIODevice::ReadOnly)) {
        const QString exec = execLine(existing.readAll());
        if (exec == execArgument(program)) {
            qDebug().noquote() << "The autostart file already exists " + file;
            return true;
        }
        qDebug().noquote() << "The autostart file starts " + exec + "; writing it anew";
    }

    QDir().mkpath(QFileInfo(file).absolutePath());
    QString error;
    if (!SafeFile::write(file, content(program), &error)) {
        qWarning().noquote() << "Could not write the autostart file: " + error;
        return false;
    }
    return true;
}

} // namespace AutoStartFile
