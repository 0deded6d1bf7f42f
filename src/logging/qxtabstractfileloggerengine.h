#pragma once

#include "logging/qxtabstractiologgerengine.h"

#include <QIODevice>
#include <QString>

class QxtAbstractFileLoggerEnginePrivate;

// An engine that writes to a file it opens itself (when constructed and on every new name).
class QxtAbstractFileLoggerEngine : public QxtAbstractIOLoggerEngine
{
public:
    QxtAbstractFileLoggerEngine(const QString& fileName, QIODevice::OpenMode mode);
    ~QxtAbstractFileLoggerEngine() override;

    void initLoggerEngine() override;
    void killLoggerEngine() override;
    bool isInitialized() const override;
    void writeFormatted(QxtLogger::LogLevel level, const QList<QVariant>& messages) override;

    QString logFileName() const;
    void setLogFileName(const QString& fileName);

protected:
    virtual void writeToFile(const QString& level, const QList<QVariant>& messages) = 0;

private:
    Q_DISABLE_COPY(QxtAbstractFileLoggerEngine)
    QxtAbstractFileLoggerEnginePrivate* d;
};
