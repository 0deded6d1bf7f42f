#pragma once

#include <QList>
#include <QString>

namespace Utils {

// Fills the placeholders of a snippet text: "{CLIP}" and "{CLIP:n}" or "{CLIP:expression}" take a
// text of the history (newest first); any other name in braces runs the action of that title on
// the newest text. A placeholder that cannot be filled stays as it is.
QString replaceKeywords(QString text, QString application, QList<QString> history);
QString replaceHistoryKeyword(QString token, QList<QString> history);
// The history position "{CLIP:argument}" stands for, or 0 when the argument is an expression.
int clipPosition(const QString &argument);
QString replaceActionKeyword(QString token, QString application, QList<QString> history);

} // namespace Utils
