#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

// Takes the web addresses that would go to the desktop's browser, and keeps them.
class BrowserCatcher : public QObject
{
    Q_OBJECT

public:
    BrowserCatcher() { QDesktopServices::setUrlHandler("http", this, "open"); }
    ~BrowserCatcher() override { QDesktopServices::unsetUrlHandler("http"); }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};
