#pragma once

#include <QDateTime>
#include <QSettings>
#include <QString>
#include <QStringView>
#include <QUrl>

// Common functions shared by every subsystem. Grouped by concern over several sources:
// utils.cpp (settings and data folder), utilstext.cpp (text and time).
namespace Utils {

// Settings store and data folder: portable mode keeps both beside the program.
QSettings settings();
QString dataPath();
QString programFolder();
// The image cache's folder in the data folder, and its path. The demo and the performance test
// keep their pictures in folders of their own, apart from the user's.
QString imageFolderName();
QString imagesPath();
// The notification service's web-socket address; KESTOVAN_NOTIFIER_URL points it elsewhere
// (a stand-in in tests).
QUrl notifierUrl();

// Text and time.
QString makeOneLiner(QString text);
QString dateTimeToDuration(QDateTime time);
// A time as the data files and synced documents store it: ISO 8601 to the second with its offset
// from UTC ("2024-03-05T12:00:00+02:00"), so that a computer in another time zone, or this one after
// a clock change, reads the same instant. QDateTime::fromString(text, Qt::ISODate) reads it back,
// and reads a stamp of an earlier version, which has no offset, as local time.
QString storedTime(const QDateTime &time);
QString stripStyle(QString html);
QString fixMarkdown(QString html);
QString generateRandomString(int length);
// Whether text.toLower() contains needle, which is lower-cased already, told without lower-casing
// ASCII text; Undecided when the text reaches beyond ASCII and must be lower-cased to tell.
enum class LowerCasedMatch { Absent, Found, Undecided };
LowerCasedMatch matchLowerCased(QStringView text, QStringView needle);
// text.toLower().contains(needle) for a lower-cased needle, lower-casing the text only when needed.
bool lowerCasedContains(const QString &text, const QString &needle);

} // namespace Utils

// ---- Images, icons and window placement (utilsimage.cpp) ----
#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>

class QMainWindow;

namespace Utils {

QString pixmapToString(const QPixmap &pixmap);
QPixmap stringToPixmap(QString text);

void moveWindowInsideScreen(QMainWindow *window, QPoint point);
// Where moveWindowInsideScreen puts a window of the given size for a point on a screen with
// these whole and available geometries, the window's visible frame lying `margin` inside it.
QPoint windowPositionInsideScreen(QPoint point, QSize size, QRect screen, QRect available, int margin = 8);

// A name from a document that may be used as a file or folder name in the data folder:
// not empty, not ".", no path separators, no "..", no NUL.
bool isPlainFileName(const QString &name);

} // namespace Utils
