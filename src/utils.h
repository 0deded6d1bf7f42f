#pragma once

#include <QDateTime>
#include <QSettings>
#include <QString>

// Common functions shared by every subsystem. Grouped by concern over several sources:
// utils.cpp (settings and data folder), utilstext.cpp (text and time).
namespace Utils {

// Settings store and data folder: portable mode keeps both beside the program.
QSettings settings();
QString dataPath();
QString programFolder();

// Text and time.
QString makeOneLiner(QString text);
QString dateTimeToDuration(QDateTime time);
QString stripStyle(QString html);
QString fixMarkdown(QString html);
QString generateRandomString(int length);

} // namespace Utils
