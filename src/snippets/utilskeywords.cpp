#include "snippets/utilskeywords.h"

#include "common/utils.h"

#include "actions/actionhelpers.h"
#include "common/userwarning.h"

#include <QCoreApplication>
#include <QDebug>
#include <QRegularExpression>
#include <QVariantMap>

namespace Utils {

QString replaceKeywords(QString text, QString application, QList<QString> history)
{
    static const QRegularExpression placeholder(QStringLiteral("({.+?})"));
    QString result;
    qsizetype end = 0;
    QRegularExpressionMatchIterator matches = placeholder.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += QStringView(text).mid(end, match.capturedStart() - end);
        const QString token = match.captured();
        if (token.startsWith(QLatin1String("{CLIP")))
            result += replaceHistoryKeyword(token, history);
        else
            result += replaceActionKeyword(token, application, history);
        end = match.capturedEnd();
    }
    result += QStringView(text).mid(end);
    return result;
}

QString replaceHistoryKeyword(QString token, QList<QString> history)
{
    if (token == QLatin1String("{CLIP}"))
        return history.isEmpty() ? token : history.first();

    // "{CLIP" and one separator, ":" as the placeholder picker writes it.
    const QString argument = token.mid(6).chopped(1);
    if (argument.isEmpty())
        return token;

    if (const int position = clipPosition(argument))
        return position <= history.size() ? history.at(position - 1) : token;

    const QRegularExpression expression(argument);
    if (!expression.isValid())
        return token;
    for (const QString &text : std::as_const(history)) {
        if (expression.match(text, 0, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption).hasMatch())
            return text;
    }
    return token;
}

int clipPosition(const QString &argument)
{
    bool isNumber = false;
    const int position = argument.toInt(&isNumber, 10);
    return isNumber && position >= 1 ? position : 0;
}

QString replaceActionKeyword(QString token, QString application, QList<QString> history)
{
    const QString name = token.mid(1).chopped(1);
    const QByteArray nameUtf8 = name.toUtf8();
    const QString translatedName = QCoreApplication::translate("ActionList", nameUtf8.constData());

    // A map iterates in ascending order of its keys, the action file paths.
    const QVariantMap actions = settings().value("Actions").toMap();
    QString path;
    QString title;
    for (auto it = actions.constBegin(); it != actions.constEnd(); ++it) {
        const QString candidate = it.value().toString();
        if (candidate == name || candidate == translatedName) {
            path = it.key();
            title = candidate;
            break;
        }
    }
    if (path.isNull())
        return token;

    QString error;
    const QList<QString> results =
        ActionHelpers::execute(path, history.isEmpty() ? QStringLiteral("") : history.first(), application, error);
    qDebug() << "Executed" << path << results << error;
    if (!error.isEmpty()) {
        showUserWarning(QObject::tr("Failed to run action '%1'\n%2").arg(title, error));
        return token;
    }
    return results.join(QChar('\n'));
}

} // namespace Utils
