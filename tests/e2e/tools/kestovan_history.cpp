// Prints the clippings of a history file for the end-to-end cases, newest first, one per line:
//   <type> TAB <application> TAB <id> TAB <file name> TAB <html length> TAB <text>
// with line breaks and tabs in the text written as \n and \t. Exit code 1 when the file cannot be
// read or is not a history document.

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kestovan_history HISTORY_FILE\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QJsonObject document = QJsonDocument::fromJson(file.readAll()).object();
    if (!document.contains("clippings"))
        return 1;
    for (const QJsonValue &value : document.value("clippings").toArray()) {
        const QJsonObject clipping = value.toObject();
        QString text = clipping.value("text").toString();
        text.replace('\\', "\\\\").replace('\n', "\\n").replace('\t', "\\t");
        const QString line = QStringList{QString::number(clipping.value("type").toInt()),
                                         clipping.value("application").toString(),
                                         clipping.value("id").toString(),
                                         clipping.value("filename").toString(),
                                         QString::number(clipping.value("html").toString().size()),
                                         text}
                                 .join('\t');
        std::fputs(line.toUtf8().constData(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}
