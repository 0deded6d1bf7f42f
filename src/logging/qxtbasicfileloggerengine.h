#pragma once

#include "logging/qxtabstractfileloggerengine.h"

#include <QString>

class QxtBasicFileLoggerEnginePrivate;

// Appends one line per message to a file: "[time] [Level] parts".
class QxtBasicFileLoggerEngine : public QxtAbstractFileLoggerEngine
{
public:
    explicit QxtBasicFileLoggerEngine(const QString& fileName);
    ~QxtBasicFileLoggerEngine() override;

    QString dateFormat() const;
    void setDateFormat(const QString& format);

protected:
    void writeToFile(const QString& level, const QList<QVariant>& messages) override;

private:
    Q_DISABLE_COPY(QxtBasicFileLoggerEngine)
    QxtBasicFileLoggerEnginePrivate* d;
};
