#include "common/translationcatalogue.h"

#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace TranslationCatalogue;

// Runs lupdate as the kestovancore_lupdate target does, but into a copy of one catalogue, so that a
// text added to the sources and never taken into the catalogues fails here by name, and a refresh
// that would drop translations shows before anyone runs it on the real files.
namespace {

const QString Catalogues = QStringLiteral(KESTOVAN_TEST_DATA "/../../translations");
const int ToolTimeout = 120000;

QSet<QString> keys(const Catalogue &catalogue)
{
    QSet<QString> keys;
    for (const Message &m : catalogue.messages)
        keys.insert(m.context + ": \"" + m.source + "\"");
    return keys;
}

QStringList sorted(const QSet<QString> &set)
{
    QStringList list(set.cbegin(), set.cend());
    list.sort();
    return list;
}

// Empty when the program ran and succeeded; otherwise what went wrong, with its output.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(ToolTimeout)) {
        process.kill();
        process.waitForFinished();
        return program + " did not finish: " + process.errorString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + " failed:\n" + QString::fromLocal8Bit(process.readAll());
    return QString();
}

} // namespace

class TestLupdate : public QObject
{
    Q_OBJECT

private slots:
    void testEveryTextOfTheSourcesIsInTheCatalogue()
    {
        const QString lupdate = QStringLiteral(KESTOVAN_LUPDATE);
        if (lupdate.isEmpty() || !QFileInfo(lupdate).isExecutable())
            QSKIP("lupdate is not installed (Qt's linguist tools), so the catalogues cannot be refreshed here");

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString original = Catalogues + "/German.ts";
        const QString copy = folder.filePath("German.ts");
        QVERIFY(QFile::copy(original, copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner));

        // The project description of the build, as the target turns it into lupdate's input.
        const QString project = folder.filePath("project.json");
        QString failure = run(QStringLiteral(KESTOVAN_CMAKE),
                              {"-DIN_FILE=" KESTOVAN_LUPDATE_PROJECT, "-DOUT_FILE=" + project, "-P",
                               QStringLiteral(KESTOVAN_LUPDATE_SCRIPT)});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QStringList arguments{"-project", project};
        arguments += QStringLiteral(KESTOVAN_LUPDATE_OPTIONS).split(' ', Qt::SkipEmptyParts);
        arguments += {"-ts", copy};
        failure = run(lupdate, arguments);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        const Catalogue before = readCatalogue(original);
        const Catalogue after = readCatalogue(copy);
        QVERIFY2(before.error.isEmpty(), qPrintable(before.error));
        QVERIFY2(after.error.isEmpty(), qPrintable(after.error));
        QVERIFY(!after.messages.isEmpty());

        // Named one a line: a failure message alone would cut a long list short.
        const QStringList missing = sorted(keys(after) - keys(before));
        for (const QString &text : missing)
            qWarning().noquote() << "Not in the catalogues:" << text;
        QVERIFY2(missing.isEmpty(), qPrintable(QString("%1 texts of the sources are not in the catalogues (listed above); "
                                                       "run the kestovancore_lupdate target and translate them")
                                                   .arg(missing.size())));
        // lupdate drops what no source has any more, translations included.
        const QStringList dropped = sorted(keys(before) - keys(after));
        for (const QString &text : dropped)
            qWarning().noquote() << "In no source any more:" << text;
        QVERIFY2(dropped.isEmpty(), qPrintable(QString("%1 texts of the catalogues are in no source any more (listed above)")
                                                   .arg(dropped.size())));
    }
};

QTEST_GUILESS_MAIN(TestLupdate)
#include "tst_lupdate.moc"
