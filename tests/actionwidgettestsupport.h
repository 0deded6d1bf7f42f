#pragma once

#include "actions/actionfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Helpers of the action editor and action list tests: action files in the user folder, and
// answers to the modal dialogs those widgets open.
namespace ActionWidgets {

inline QString writeAction(const QString &name, const QJsonObject &action)
{
    QDir().mkpath(ActionFile::userFolder());
    const QString path = ActionFile::userFolder() + "/" + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(QJsonDocument(action).toJson(QJsonDocument::Compact));
    return path;
}

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QJsonObject readAction(const QString &path)
{
    return QJsonDocument::fromJson(bytesOf(path)).object();
}

inline void clearUserFolder()
{
    QDir(ActionFile::userFolder()).removeRecursively();
}

// Runs `answer` on the next modal dialog of type T once its own event loop runs; the answer must
// close it. Gives up after ten seconds, so a dialog that never opens fails the check, not the run.
template<typename T>
void answerNext(std::function<void(T *)> answer)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answer] {
        T *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog && clock->elapsed() < 10000)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (dialog)
            answer(dialog);
    });
    timer->start(10);
}

} // namespace ActionWidgets
