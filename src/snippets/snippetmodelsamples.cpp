// SnippetModel: the sample snippets of a first start and the performance-test data.
#include "snippets/snippetmodel.h"

#include "history/itemrole.h"
#include "common/utils.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// Resources of a static library are only linked in when something asks for them by name.
static void registerSampleResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(snippets);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

const char *const SampleFolder = ":/data/examples";
const QString SampleSeparator = QStringLiteral("---+++---");

QString translated(const QString &text)
{
    return QCoreApplication::translate("SnippetModel", text.toUtf8().constData());
}

// The group id with its last byte replaced by the snippet's number.
QUuid sampleSnippetId(QUuid groupId, int number)
{
    groupId.data4[7] = uchar(number);
    return groupId;
}

} // namespace

void SnippetModel::addExampleSnippets()
{
    registerSampleResources();

    const QDateTime now = QDateTime::currentDateTime();
    // By name, so the groups come in the order of their file numbers.
    const QFileInfoList files = QDir(SampleFolder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        if (!info.filePath().endsWith("txt"))
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList sections = QString::fromUtf8(file.readAll()).split(SampleSeparator);

        // "snippets-03-Messaging.txt" is the group "Messaging".
        const QString fileName = info.fileName();
        const QString title = fileName.mid(fileName.lastIndexOf('-') + 1).section('.', 0, 0);
        const QUuid groupId = QUuid::fromString(sections.first().trimmed());
        auto *group = new QStandardItem;
        group->setData(translated(title), Qt::DisplayRole);
        group->setData(groupId, IdRole);
        group->setData(now, TimeRole);

        QList<QStandardItem *> snippets;
        for (int i = 1; i < sections.size(); ++i) {
            const QString section = sections.at(i).trimmed();
            const qsizetype lineEnd = section.indexOf('\n');
            const QString header = lineEnd < 0 ? section : section.left(lineEnd);
            const QString text = translated(lineEnd < 0 ? QString() : section.mid(lineEnd + 1));
            const QStringList fields = header.split('|');

            auto *snippet = new QStandardItem;
            snippet->setData(translated(fields.at(0)), Qt::DisplayRole);
            snippet->setData(text, TextRole);
            snippet->setData(text, Qt::ToolTipRole);
            snippet->setData(sampleSnippetId(groupId, i), IdRole);
            snippet->setData(now, TimeRole);
            snippet->setData(false, HideRole);
            snippet->setData(QString(), HotkeyRole);
            snippet->setData(fields.size() > 1 ? fields.at(1) : QString(), ExpanderRole);
            snippets.append(snippet);
        }
        addItems(group, snippets);
    }
    emit modelLoaded();
    updateShortcuts();
}

void SnippetModel::generateRandomItems(int groups, int snippets)
{
    if (groups < 1)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    for (int g = 0; g < groups; ++g) {
        auto *group = new QStandardItem;
        group->setData(Utils::generateRandomString(20), Qt::DisplayRole);
        group->setData(now, TimeRole);
        group->setData(QUuid(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, uchar(g)), IdRole);

        QList<QStandardItem *> children;
        for (int s = 0; s < snippets; ++s) {
            auto *snippet = new QStandardItem;
            const QString text = Utils::generateRandomString(200);
            snippet->setData(Utils::generateRandomString(50), Qt::DisplayRole);
            snippet->setData(text, TextRole);
            snippet->setData(text, Qt::ToolTipRole);
            snippet->setData(now, TimeRole);
            snippet->setData(QUuid(uint(s), 0, 0, 0, 0, 0, 0, 0, 0, 0, uchar(g)), IdRole);
            children.append(snippet);
        }
        addItems(group, children);
    }
}
