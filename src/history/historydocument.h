#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// One element of a history document's "clippings", as read, before any add rule.
struct ClippingRecord
{
    QString application;
    QString brief;
    // When a change that keeps the clipping's place (a lock) was made; empty when none was.
    QString changed;
    QString fileName;
    QString html;
    QString id;
    QString text;
    QString time;
    int type = 0;
    bool locked = false;
    bool pinned = false;
    bool removed = false;
};

// A history document read into plain records. Missing members read as empty texts, 0 and false; a
// member of the wrong type makes the whole document unreadable.
struct HistoryDocument
{
    int version = 0;
    int magic = 0;
    QList<ClippingRecord> clippings;
    // "icons": application name -> Base64 PNG, in document order.
    QList<std::pair<QString, QString>> icons;
    // "removedItems": clipping id -> removal time, of removed clippings no longer in "clippings".
    QList<std::pair<QString, QString>> removals;
};

namespace HistoryDocumentReader {

// Reads the document as QJsonDocument would. False when it is not valid JSON or its structure is
// wrong (with the reason in error).
bool read(const QByteArray &data, HistoryDocument *document, QString *error);

// The quick path of read(): a strict reader for plain JSON that returns false for anything it
// does not handle exactly like QJsonDocument (which read() then uses). Public for tests.
bool readFast(const QByteArray &data, HistoryDocument *document);
// The first count clippings of a document as this program writes it, and the members after its
// clippings, without reading the clippings in between: what a window shows first of a long
// history. False when the document does not begin and end as the writer writes it; true does not
// make the clippings in between readable.
bool readFirstPage(const QByteArray &data, qsizetype count, HistoryDocument *document);
// The general path of read(), through QJsonDocument. Public for tests.
bool readGeneral(const QByteArray &data, HistoryDocument *document, QString *error);

} // namespace HistoryDocumentReader
