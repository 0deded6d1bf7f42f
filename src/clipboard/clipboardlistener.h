#pragma once

#include <QClipboard>
#include <QMimeData>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QString>

#include <memory>

class ClipboardOwnerWatch;
class X11ClipboardReader;

// Notices clipboard changes, applies the per-application rules (which may rewrite the content),
// and hands every new content on to the history through changed().
class ClipboardListener : public QObject
{
    Q_OBJECT

public:
    // Tags content rewritten on behalf of another application with that application's name.
    static const QString ApplicationFormat;

    explicit ClipboardListener(QObject *parent);

    // The history's listener, when there is a history.
    static ClipboardListener *ofHistory();

    // Fingerprint of the last content handed on, or "*": adopt the next content without handing it on.
    QString lastContent;

    // The program's own clipboard writes must not come back as new clippings. Every writer that
    // must stay out of the history calls one of these right before it writes; they reach the
    // history's listener when there is one.
    static void ignoreOwnText(const QString &text);
    static void ignoreOwnImage();
    static void ignoreOwnData(const QMimeData *data);

    void updateApplications();
    // Texts longer than this many characters are not recorded (the history's size rule), so they
    // are not copied either; negative for no limit.
    void setTextLimit(qint64 characters) { m_textLimit = characters; }
    // False while another application keeps a read of its clipboard waiting, or is remembered as an
    // owner that does not answer: a synchronous read now could block the program for seconds.
    static bool clipboardAnswers();
    // Another application's content as it was read when it was copied, taken whole, while the
    // clipboard has had no other owner since; null otherwise.
    std::shared_ptr<const QMimeData> currentReading();
    // Whether the content of the clipboard's owner now is being read, readDone() following; starts
    // that read when the clipboard changed owner since the last one.
    bool readingCurrent();
    QString getSourceName();
    QPixmap getSourceIcon();
    // The fingerprint: the text, else the URLs' paths, else the image's size, centre pixel and a
    // hash of sampled pixels; empty when there is none of them. A long text is fingerprinted by its
    // hash, so the listener does not keep a second copy of it.
    QString getTextContent(const QMimeData *data);
    static QString textFingerprint(const QString &text);

signals:
    // data is shared by the receivers and freed after the last of them.
    void changed(std::shared_ptr<const QMimeData> data, QPixmap icon, QString application);
    // Content that is not recorded as it was copied, and why.
    void notRecorded(QString reason);
    // A read of another application's content has ended, whatever came of it.
    void readDone();

public slots:
    // The capture step, on the clipboard whatever mode changed; where the clipboard reports its own
    // changes, a change of the mouse selection alone is skipped.
    void changedSlot(QClipboard::Mode mode);
    // The once-a-second poll: the capture step, where its outcome can differ from the last one.
    void check();

private:
    void captureStep();
    // The capture step's judgement of the content; snapshot, when set, is data read from another
    // application, which the step hands on.
    void capture(const QMimeData *data, std::shared_ptr<const QMimeData> snapshot);
    void readFinished(std::unique_ptr<QMimeData> data, int outcome, quint32 owner);
    QString fingerprint(const QMimeData *data, qsizetype *textLength);
    quint64 ownerChanges() const;
    bool isUnanswered(quint32 owner) const;
    bool stepNeeded();
    bool inRuleSet(const QString &application) const;

    QSet<QString> m_textOnlyApplications;
    QSet<QString> m_formattingOnlyApplications;
    QSet<QString> m_noImagesApplications;

    // Reading the clipboard of another X client pulls the whole content from it, so where the
    // clipboard reports its changes the poll runs the step only when its outcome can differ.
    ClipboardOwnerWatch *m_ownerWatch = nullptr;
    bool m_changesReported = false;
    quint64 m_ownerChangesSeen = 0;
    bool m_contentChanged = true;
    bool m_rulesChanged = true;
    QString m_judgedApplication;
    QString m_lastContentSeen;
    qint64 m_textLimit = -1;

    // Another application's clipboard is read without waiting for it; an owner that did not
    // answer is not asked again until the clipboard changes owner.
    X11ClipboardReader *m_reader = nullptr;
    quint32 m_readOwner = 0;
    quint64 m_readOwnerChanges = 0;
    quint32 m_unansweredOwner = 0;
    quint64 m_unansweredChanges = 0;
    // The last content read whole, and the owner changes seen when its read began.
    std::shared_ptr<const QMimeData> m_reading;
    quint64 m_readingChanges = 0;
};
