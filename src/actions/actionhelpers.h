#pragma once

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

class QListWidgetItem;

// Shared by the action code: the catalogue scan (actionhelpers.cpp) and the script runner
// (actionrunner.cpp).
namespace ActionHelpers {

// Run time limits in seconds: a script that loops forever must not freeze the program.
constexpr int RunTimeLimit = 5;
constexpr int LiveTestTimeLimit = 2;

bool isBuiltInAction(QListWidgetItem *item);
void scanFiles(QString folder, QMap<QString, QJsonObject> &files, bool byFileName);

// Evaluates `script` without calling the function it yields; false with `error` set when the
// program fails, throws, runs out of time or yields no function.
bool check(QString script, QString &error, int timeLimit = LiveTestTimeLimit);
// Runs `script` on the clipping; on failure returns nothing and sets `error`, which is otherwise
// left alone.
QList<QString> evaluate(QString script, QString plainText, QString application, QList<QString> params,
                        QString &error, int timeLimit = RunTimeLimit);
// Runs the action file `path` (an action key) with its stored parameter values.
QList<QString> execute(QString path, QString plainText, QString application, QString &error);

} // namespace ActionHelpers

// Built-in actions first, then the user's, each kind in plain string order.
bool actionLessThan(QString const &a, QString const &b);
