#pragma once

#include <QByteArray>
#include <QListWidget>

class QMimeData;

// The list of the clipboard monitor: one entry per format of the clipboard content, showing text
// formats as text, binary formats as a hex dump and the image as a picture.
class MonitorList : public QListWidget
{
    Q_OBJECT

public:
    // Item data of an entry.
    enum Role {
        FormatRole = 257, // the format name (MIME type)
        ImageRole = 266,  // the image, for "application/x-qt-image" only
        DataRole = 271,   // the raw bytes of a text format, or the hex dump of a binary one
    };

    explicit MonitorList(QWidget *parent = nullptr);
    ~MonitorList() override;

    // Rebuilds the list from the data; no data leaves it empty.
    void setMimeData(const QMimeData *data);
    // Whether the data differs from what the list shows.
    bool differsFromShown(const QMimeData *data) const;

    // 16 bytes a line: lower-case hex, then the printable characters; at most 1600 bytes.
    static QString convertToHex(QByteArray data);
    // Text: not empty, only printable ASCII, CR and LF.
    static bool isText(const QByteArray &data);
    // Identifies the content of the data: its formats and their bytes.
    static QByteArray fingerprint(const QMimeData *data);

    QWidget *createItemWidget(QListWidgetItem *item, bool hex);

private:
    QByteArray m_shown;
};
