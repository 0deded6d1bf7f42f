#pragma once

#include <QClipboard>
#include <QMimeData>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QString>

class ClipboardOwnerWatch;

// Notices clipboard changes, applies the per-application rules (which may rewrite the content),
// and hands every new content on to the history through changed().
class ClipboardListener : public QObject
{
    Q_OBJECT

public:
    // Tags content rewritten on behalf of another application with that application's name.
    static const QString ApplicationFormat;

    explicit ClipboardListener(QObject *parent);

    // Fingerprint of the last content handed on, or "*": adopt the next content without handing it on.
    QString lastContent;

    // The program's own clipboard writes must not come back as new clippings. Every writer that
    // must stay out of the history calls one of these right before it writes; they reach the
    // history's listener when there is one.
    static void ignoreOwnText(const QString &text);
    static void ignoreOwnImage();
    static void ignoreOwnData(const QMimeData *data);

    void updateApplications();
    QString getSourceName();
    QPixmap getSourceIcon();
    // The fingerprint: the text, else the URLs' paths, else the image's size, centre pixel and a
    // hash of sampled pixels; empty when there is none of them.
    QString getTextContent(const QMimeData *data);

signals:
    // The receiver owns data.
    void changed(QMimeData *data, QPixmap icon, QString application);

public slots:
    // The capture step, on the clipboard whatever mode changed; where the clipboard reports its own
    // changes, a change of the mouse selection alone is skipped.
    void changedSlot(QClipboard::Mode mode);
    // The once-a-second poll: the capture step, where its outcome can differ from the last one.
    void check();

private:
    void captureStep();
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
};
