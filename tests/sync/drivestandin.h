#pragma once

#include "httpstandin.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUrlQuery>

// Google Drive's files interface and Google's token endpoint on 127.0.0.1, keeping the files in
// memory: listing in pages, media download, multipart upload, delete, and 401 for any bearer token
// but the current one. Point KESTOVAN_GOOGLE_API_URL and KESTOVAN_GOOGLE_ACCOUNTS_URL at base().
class DriveStandIn
{
public:
    struct File
    {
        QString id;
        QString name;
        QString createdTime;
        QByteArray content;
    };

    DriveStandIn()
    {
        http.answer = [this](const StandInRequest &request) { return serve(request); };
    }

    QString base() const { return QString("http://127.0.0.1:%1").arg(http.port()); }

    File &add(const QString &name, const QByteArray &content)
    {
        File file;
        file.id = QString("id-%1").arg(++m_counter);
        file.name = name;
        file.createdTime = QDateTime::fromSecsSinceEpoch(1700000000 + m_counter, Qt::UTC).toString(Qt::ISODateWithMs);
        file.content = content;
        files.append(file);
        return files.last();
    }

    const File *find(const QString &id) const
    {
        for (const File &file : files) {
            if (file.id == id)
                return &file;
        }
        return nullptr;
    }

    QList<StandInRequest> requestsExceptTokens() const
    {
        QList<StandInRequest> result;
        for (const StandInRequest &request : http.requests) {
            if (request.path() != "/o/oauth2/token")
                result.append(request);
        }
        return result;
    }

    // Splits an upload body the way a server does: each part ends at the first "\n--" + boundary.
    // False when the body is not the two parts the upload consists of.
    static bool splitUpload(const StandInRequest &request, QByteArray *boundary, QJsonObject *metadata, QByteArray *payload)
    {
        const QByteArray type = request.header("content-type");
        const QByteArray prefix = "multipart/related; boundary=";
        if (!type.startsWith(prefix))
            return false;
        *boundary = type.mid(prefix.size());
        const QByteArray &body = request.body;
        const QByteArray delimiter = "\n--" + *boundary;
        const QByteArray firstHead = "--" + *boundary + "\nContent-Type: application/json; charset=UTF-8\n\n";
        const QByteArray secondHead = "\nContent-Type: application/octet-stream\n\n";
        if (!body.startsWith(firstHead))
            return false;
        const qsizetype metadataEnd = body.indexOf(delimiter, firstHead.size());
        if (metadataEnd < 0 || body.mid(metadataEnd + delimiter.size(), secondHead.size()) != secondHead)
            return false;
        const qsizetype payloadStart = metadataEnd + delimiter.size() + secondHead.size();
        const qsizetype payloadEnd = body.indexOf(delimiter, payloadStart);
        if (payloadEnd < 0 || body.mid(payloadEnd) != delimiter + "--\n")
            return false;
        QJsonParseError error;
        // The metadata part is the JSON text and the line feed before the delimiter.
        *metadata = QJsonDocument::fromJson(body.mid(firstHead.size(), metadataEnd - firstHead.size()), &error).object();
        *payload = body.mid(payloadStart, payloadEnd - payloadStart);
        return error.error == QJsonParseError::NoError && body.at(metadataEnd - 1) == '\n';
    }

    HttpStandIn http;
    QList<File> files;
    QString accessToken = "access-1";
    // What the next refresh hands out.
    QString refreshedToken = "access-2";
    // The largest page, whatever the client asks for.
    int pageLimit = 1000;
    // Answers the listing with this status and body instead, when set.
    int listStatus = 200;
    QByteArray listBody;
    // Header lines of that answer.
    QByteArray listHeaders;
    // Bytes streamed after that body; negative: without end.
    qint64 listStream = 0;
    // Answers uploads with this body instead of the new file, when set.
    QByteArray uploadBody;
    int refreshes = 0;

private:
    StandInAnswer serve(const StandInRequest &request)
    {
        if (request.path() == "/o/oauth2/token") {
            ++refreshes;
            accessToken = refreshedToken;
            return {200, QJsonDocument(QJsonObject{{"access_token", accessToken}, {"expires_in", 3600}}).toJson()};
        }
        if (request.header("authorization") != "Bearer " + accessToken.toLatin1())
            return {401, R"({"error":{"code":401,"message":"Invalid Credentials"}})"};

        const QUrlQuery query(QString::fromLatin1(request.target.mid(request.target.indexOf('?') + 1)));
        const QString path = QUrl::fromPercentEncoding(request.path());
        if (request.method == "GET" && path == "/drive/v3/files")
            return list(query);
        if (request.method == "GET" && path.startsWith("/drive/v3/files/") && query.queryItemValue("alt") == "media") {
            const File *file = find(path.mid(16));
            return file ? StandInAnswer{200, file->content, "application/octet-stream"} : StandInAnswer{404, "{}"};
        }
        if (request.method == "POST" && path == "/upload/drive/v3/files" && query.queryItemValue("uploadType") == "multipart")
            return upload(request);
        if (request.method == "DELETE" && path.startsWith("/drive/v3/files/")) {
            for (int i = 0; i < files.size(); ++i) {
                if (files[i].id == path.mid(16)) {
                    files.removeAt(i);
                    return {204, QByteArray()};
                }
            }
            return {404, "{}"};
        }
        return {400, "{}"};
    }

    StandInAnswer list(const QUrlQuery &query)
    {
        if (listStatus != 200 || !listBody.isNull())
            return {listStatus, listBody, "application/json", 0, listStream, listHeaders};
        // Drive's own default page is 100 files.
        const int asked = query.hasQueryItem("pageSize") ? query.queryItemValue("pageSize").toInt() : 100;
        const int pageSize = qMin(asked, pageLimit);
        const int start = query.queryItemValue("pageToken", QUrl::FullyDecoded).section(':', 1).toInt();
        QJsonArray page;
        for (int i = start; i < qMin(start + pageSize, int(files.size())); ++i)
            page.append(QJsonObject{{"id", files[i].id}, {"name", files[i].name}, {"createdTime", files[i].createdTime}});
        QJsonObject answer{{"files", page}};
        // Like Drive, only the fields asked for come back.
        if (start + pageSize < files.size() && query.queryItemValue("fields").contains("nextPageToken"))
            answer.insert("nextPageToken", QString("next page/+=:%1").arg(start + pageSize));
        return {200, QJsonDocument(answer).toJson()};
    }

    StandInAnswer upload(const StandInRequest &request)
    {
        if (!uploadBody.isNull())
            return {200, uploadBody};
        QByteArray boundary;
        QJsonObject metadata;
        QByteArray payload;
        if (!splitUpload(request, &boundary, &metadata, &payload))
            return {400, R"({"error":{"code":400,"message":"Malformed multipart body"}})"};
        const File &file = add(metadata.value("name").toString(), payload);
        return {200, QJsonDocument(QJsonObject{{"id", file.id}, {"name", file.name}}).toJson()};
    }

    int m_counter = 0;
};
