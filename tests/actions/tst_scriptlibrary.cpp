#include "actions/scriptlibrary.h"
#include "common/ownlibrary.h"
#include "unusablelibraryrows.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using Texts = QList<QString>;

// The script engine is a library loaded on first use; when it cannot be loaded, running an action
// must fail with an error that says so instead of crashing or failing silently.
class TestScriptLibrary : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    const QString LoadFailure = QStringLiteral("The script engine could not be loaded: ");

private slots:
    void testMissingEngineLibraryFailsEveryRunWithItsReason_data()
    {
        addUnusableLibraryRows(m_dir, "libkestovanscript.so", "kestovanScriptCheck");
    }

    void testMissingEngineLibraryFailsEveryRunWithItsReason()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        const ScriptLibrary library(path);
        const QString script = "(function (clip) { return clip.plainText; })";

        for (int run = 0; run < 2; ++run) {
            QString error;
            QVERIFY(!library.check(script, error, 1));
            QVERIFY2(error.startsWith(LoadFailure), qPrintable(error));
            QVERIFY2(error.contains(reason), qPrintable(error));

            QString evaluateError;
            QCOMPARE(library.evaluate(script, "abc", QString(), {}, evaluateError, 1), Texts());
            QCOMPARE(evaluateError, error);
        }
    }

    void testProgramEngineLibraryRunsScripts()
    {
        // The tests run from a sub folder of the build tree; the library is found in its root.
        QVERIFY2(QFileInfo::exists(OwnLibrary::path("kestovanscript")), qPrintable(OwnLibrary::path("kestovanscript")));
        const ScriptLibrary &library = ScriptLibrary::instance();
        QString error;
        QVERIFY(library.check("(function () {})", error, 1));
        QCOMPARE(library.evaluate("(function (clip, p) { return [clip.plainText, p]; })", "abc", QString(), {"x"}, error,
                                  1),
                 Texts({"abc", "x"}));
        QCOMPARE(error, QString());
    }
};

QTEST_GUILESS_MAIN(TestScriptLibrary)
#include "tst_scriptlibrary.moc"
