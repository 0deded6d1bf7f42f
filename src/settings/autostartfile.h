#pragma once

#include <QByteArray>
#include <QString>

// The XDG autostart entry that starts the program when the user logs in:
// $XDG_CONFIG_HOME/autostart/org.morva.Kestovan.desktop.
namespace AutoStartFile {

QString path();

// The entry that starts `program`.
QByteArray content(const QString &program);

// `program` as one argument of an Exec line, quoted and escaped as desktop entries require.
QString execArgument(const QString &program);

// Creates the entry for `program`, or removes it. An entry that starts another path (a moved build)
// is written anew; an equal one is left alone. False when the entry could not be written or removed.
bool apply(bool enabled, const QString &program);

} // namespace AutoStartFile
