#include "sync/syncreplypage.h"

#include "common/translation.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>

// Resources of a static library are only linked in when something asks for them by name.
static void registerReplyPage()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(html);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

class Text
{
    Q_DECLARE_TR_FUNCTIONS(SyncReplyPage)
};

const char *const c_replyPage = ":/data/html/sync-reply.html";

QString language()
{
    const QString catalogue = Translation::c_translator.language();
    return catalogue.isEmpty() ? QStringLiteral("en") : QLocale(catalogue).bcp47Name();
}

} // namespace

namespace SyncReplyPage {

QByteArray html()
{
    registerReplyPage();
    QFile page(QString::fromLatin1(c_replyPage));
    if (!page.open(QIODevice::ReadOnly))
        return QByteArray();
    QString text = QString::fromUtf8(page.readAll());
    text.replace(QLatin1String("{{lang}}"), language());
    text.replace(QLatin1String("{{succeeded}}"), Text::tr("Authentication succeeded!").toHtmlEscaped());
    text.replace(QLatin1String("{{failed}}"), Text::tr("Authentication failed!").toHtmlEscaped());
    text.replace(QLatin1String("{{close}}"), Text::tr("You may close the browser window now.").toHtmlEscaped());
    return text.toUtf8();
}

} // namespace SyncReplyPage
