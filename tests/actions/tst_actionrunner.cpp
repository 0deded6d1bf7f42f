#include "actions/actionfile.h"
#include "actions/actionhelpers.h"
#include "actiontestenvironment.h"
#include "common/safefile.h"
#include "common/utils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

using Texts = QList<QString>;

namespace {

// The size of the sparse action files the file error cases make, by name; 0 for the others.
qint64 sparseSize(const QString &name)
{
    if (name == "huge.json")
        return SafeFile::MaxDocumentSize + 1;
    if (name == "long.json")
        return ActionFile::MaxSize + 1;
    return 0;
}

} // namespace

class TestActionRunner : public QObject
{
    Q_OBJECT

    QString writeAction(const QString &name, const QJsonObject &action)
    {
        QDir().mkpath(ActionFile::userFolder());
        const QString path = ActionFile::userFolder() + "/" + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(QJsonDocument(action).toJson(QJsonDocument::Compact));
        return path;
    }

    static Texts run(const QString &script, QString &error, const Texts &params = {},
                     const QString &text = "abc", int limit = ActionHelpers::RunTimeLimit)
    {
        return ActionHelpers::evaluate(script, text, QString(), params, error, limit);
    }

private slots:
    void init()
    {
        Utils::settings().clear();
    }

    void testResultsAreConvertedToTexts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<Texts>("expected");
        QTest::newRow("text") << "(c => c.plainText.toUpperCase())" << Texts{"ABC"};
        QTest::newRow("mixed array") << "(c => ['a', {plainText: 'b'}, 3])" << Texts{"a", "b", "3"};
        QTest::newRow("empty array") << "(c => [])" << Texts{};
        QTest::newRow("object without plainText") << "(c => ({}))" << Texts{"undefined"};
        QTest::newRow("nothing returned") << "(c => {})" << Texts{"undefined"};
        QTest::newRow("nested array") << "(c => [['x']])" << Texts{"undefined"};
        QTest::newRow("null") << "(c => null)" << Texts{"null"};
        QTest::newRow("number") << "(c => 2.5)" << Texts{"2.5"};
        QTest::newRow("boolean") << "(c => true)" << Texts{"true"};
        QTest::newRow("date object") << "(c => new Date(0))" << Texts{"undefined"};
        QTest::newRow("function with plainText") << "(c => Object.assign(() => 1, {plainText: 'f'}))" << Texts{"f"};
        QTest::newRow("object plainText converted") << "(c => ({plainText: 7}))" << Texts{"7"};
        QTest::newRow("function expression") << "(function (c) { return c.plainText + '!'; })" << Texts{"abc!"};
    }

    void testResultsAreConvertedToTexts()
    {
        QFETCH(QString, script);
        QFETCH(Texts, expected);
        QString error;
        QCOMPARE(run(script, error), expected);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void testClippingAndParametersReachTheFunction()
    {
        QString error;
        const Texts texts = ActionHelpers::evaluate(
            "(function (c, first, second) { return [c.plainText, c.application, first, second, arguments.length]; })",
            "text", "Firefox", {"one", "two"}, error);
        QVERIFY(error.isEmpty());
        QCOMPARE(texts, Texts({"text", "Firefox", "one", "two", "3"}));
    }

    void testScriptErrorsAreReported_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not a function") << "42" << "The action script is not a function.";
        QTest::newRow("empty script") << "" << "The action script is not a function.";
        QTest::newRow("syntax error on line 3") << "(c =>\n  c.plainText\n  )(" << "Failure at line 3: Expected token `)'";
        QTest::newRow("program throws an Error") << "\nthrow new Error('broken')" << "Failure at line 2: broken";
        QTest::newRow("function throws an Error") << "(c => {\n  throw new Error('bad');\n})" << "Failure at line 2: bad";
        QTest::newRow("function fails on null") << "(c => {\n\n  return null.x;\n})"
                                                << "Failure at line 3: Cannot read property 'x' of null";
        QTest::newRow("function returns an Error") << "(c => new RangeError('made'))" << "Failure at line 1: made";
        QTest::newRow("import is not available") << "import('fs')" << "Failure at line 1: Unexpected token `import'";
    }

    void testScriptErrorsAreReported()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QString error;
        QVERIFY(run(script, error).isEmpty());
        QCOMPARE(error, expected);
    }

    // The editor's check evaluates the program only: a function that fails when called passes.
    void testCheckNeverCallsTheFunction_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("function that throws") << "(c => { throw new Error('called'); })" << "";
        QTest::newRow("function that loops") << "(c => { while (true) {} })" << "";
        QTest::newRow("not a function") << "42" << "The action script is not a function.";
        QTest::newRow("program throws") << "\nthrow new Error('broken')" << "Failure at line 2: broken";
        QTest::newRow("program throws a text") << "throw 'text'" << "Failure: text";
        QTest::newRow("program loops") << "while (true) {}" << "The action script did not finish within 1 seconds.";
    }

    void testCheckNeverCallsTheFunction()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QString error;
        QCOMPARE(ActionHelpers::check(script, error, 1), expected.isEmpty());
        QCOMPARE(error, expected);
    }

    void testThrownValueOfAnyTypeIsAFailure_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("string") << "(c => { throw 'bad input'; })" << "Failure: bad input";
        QTest::newRow("number") << "(c => { throw 42; })" << "Failure: 42";
        QTest::newRow("null") << "(c => { throw null; })" << "Failure: null";
        QTest::newRow("undefined") << "(c => { throw undefined; })" << "Failure: undefined";
        QTest::newRow("object with plainText") << "(c => { throw {plainText: 'x'}; })" << "Failure: [object Object]";
        QTest::newRow("array") << "(c => { throw ['a', 'b']; })" << "Failure: a,b";
        QTest::newRow("throwing toString") << "(c => { throw {toString() { throw 1; }}; })" << "Failure: ";
        QTest::newRow("string from program") << "throw 'early'" << "Failure: early";
        QTest::newRow("thrown while reading plainText") << "(c => ({get plainText() { throw 'getter'; }}))"
                                                        << "Failure: getter";
        QTest::newRow("thrown by an element's toString") << "(c => [{plainText: {toString() { throw 'late'; }}}])"
                                                         << "Failure: late";
    }

    void testThrownValueOfAnyTypeIsAFailure()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QString error;
        QVERIFY(run(script, error).isEmpty());
        QCOMPARE(error, expected);
    }

    void testSuccessLeavesTheErrorUntouched()
    {
        QString error = "kept";
        QCOMPARE(run("(c => 'ok')", error), Texts{"ok"});
        QCOMPARE(error, QString("kept"));
    }

    void testEndlessScriptIsStoppedAndTheProgramStaysResponsive()
    {
        const QString path = writeAction("endless.json", {{"title", "Endless"}, {"script", "(c => { while (true) {} })"}});
        bool timerFired = false;
        QTimer::singleShot(0, this, [&timerFired] { timerFired = true; });

        QElapsedTimer clock;
        clock.start();
        QString error;
        QVERIFY(ActionHelpers::execute(path, "abc", QString(), error).isEmpty());
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(error, QString("The action script did not finish within 5 seconds."));
        QVERIFY2(elapsed >= 4900 && elapsed < 6000, qPrintable(QString::number(elapsed)));

        // The event loop runs again and the next action runs normally.
        QTRY_VERIFY_WITH_TIMEOUT(timerFired, 1000);
        error.clear();
        QCOMPARE(run("(c => c.plainText)", error), Texts{"abc"});
        QVERIFY(error.isEmpty());
    }

    void testEveryKindOfEndlessScriptIsStopped_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("loop in the program") << "while (true) {}";
        QTest::newRow("loop caught by the script") << "(c => { for (;;) { try { while (true) {} } catch (e) {} } })";
        QTest::newRow("loop in finally") << "(c => { try { throw 1; } finally { while (true) {} } })";
        QTest::newRow("loop in a plainText getter") << "(c => ({get plainText() { while (true) {} }}))";
        QTest::newRow("loop in an element's toString") << "(c => [{plainText: {toString() { for (;;) {} }}}])";
        QTest::newRow("loop in a thrown value's toString") << "(c => { throw {toString() { for (;;) {} }}; })";
    }

    void testEveryKindOfEndlessScriptIsStopped()
    {
        QFETCH(QString, script);
        QElapsedTimer clock;
        clock.start();
        QString error;
        QVERIFY(run(script, error, {}, "abc", 1).isEmpty());
        QCOMPARE(error, QString("The action script did not finish within 1 seconds."));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }

    void testScriptCannotReachFilesNetworkOrProcesses()
    {
        QString error;
        const Texts texts = run("(c => [typeof XMLHttpRequest, typeof require, typeof Qt, typeof fetch,"
                                " typeof process, typeof WebAssembly, typeof importScripts, typeof module,"
                                " typeof Worker, typeof WebSocket, typeof localStorage])",
                                error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(texts, Texts(11, "undefined"));

        // The one object of ours offers a test call and nothing else of its own.
        error.clear();
        const Texts members = run("(c => Object.getOwnPropertyNames(kestovan).concat("
                                  "Object.getOwnPropertyNames(Object.getPrototypeOf(kestovan)))"
                                  ".filter(name => typeof kestovan[name] === 'function' && !(name in Object.prototype)))",
                                  error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const QString &member : members)
            QVERIFY2(QStringList({"test", "deleteLater", "destroyed", "objectNameChanged"}).contains(member),
                     qPrintable(member));
        QVERIFY(members.contains("test"));
    }

    void testKestovanTestCallAnswersAndLogs()
    {
        QTest::ignoreMessage(QtDebugMsg, "Called test()");
        QString error;
        QCOMPARE(run("(c => kestovan.test())", error), Texts{"Hello world"});
        QVERIFY(error.isEmpty());
    }

    void testNothingSurvivesToTheNextRun()
    {
        QString error;
        QCOMPARE(run("this.leaked = 'yes'; String.prototype.toUpperCase = () => 'hacked'; (c => 1)", error),
                 Texts{"1"});
        QCOMPARE(run("(c => [typeof leaked, c.plainText.toUpperCase()])", error), Texts({"undefined", "ABC"}));
        QVERIFY(error.isEmpty());
    }

    void testExecuteReportsFileErrors_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const QString folder = ActionFile::userFolder() + "/";
        QTest::newRow("missing") << "missing.json" << "Failed to open: " + folder + "missing.json";
        QTest::newRow("folder") << "folder.json" << "Failed to open: " + folder + "folder.json";
        QTest::newRow("broken") << "broken.json" << "Failed to parse json: " + folder + "broken.json";
        // Sparse, so the test takes no disk for them; read whole, they took as much memory, and a
        // few hundred megabytes held every start for seconds.
        const auto tooLarge = [&folder](const QString &name) {
            return QString("%1%2 has %3 bytes, more than the %4 a data file may have")
                .arg(folder, name)
                .arg(sparseSize(name))
                .arg(ActionFile::MaxSize);
        };
        QTest::newRow("larger than a data file") << "huge.json" << tooLarge("huge.json");
        QTest::newRow("larger than a script") << "long.json" << tooLarge("long.json");
    }

    void testExecuteReportsFileErrors()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const QString path = ActionFile::userFolder() + "/" + name;
        QDir().mkpath(ActionFile::userFolder());
        if (name == "folder.json") {
            QVERIFY(QDir().mkpath(path));
        } else if (name == "broken.json") {
            QCOMPARE(writeAction(name, {}), path);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"title\": \"Broken\", \"script\": ");
        } else if (sparseSize(name) > 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write("{\"title\": \"Huge\"}") > 0);
            QVERIFY(file.resize(sparseSize(name)));
            QTest::ignoreMessage(QtWarningMsg, qPrintable(expected));
        }
        QString error;
        QVERIFY(ActionHelpers::execute(path, "abc", QString(), error).isEmpty());
        QCOMPARE(error, expected);
        QFile::remove(path);
    }

    void testExecuteReportsScriptErrors()
    {
        QString error;
        const QString failing = writeAction("failing.json", {{"script", "(c => {\n  return undefinedName;\n})"}});
        QVERIFY(ActionHelpers::execute(failing, "abc", QString(), error).isEmpty());
        QCOMPARE(error, QString("Failure at line 2: undefinedName is not defined"));

        error.clear();
        const QString empty = writeAction("noscript.json", {{"title", "No script"}});
        QVERIFY(ActionHelpers::execute(empty, "abc", QString(), error).isEmpty());
        QCOMPARE(error, QString("The action script is not a function."));
    }

    void testDeletedActionNeverRuns()
    {
        QTest::failOnWarning(QRegularExpression("ran"));
        const QString path = writeAction("gone.json", {{"title", "Gone"}, {"deleted", true},
                                                       {"script", "(c => { console.warn('ran'); return 'result'; })"}});
        QString error;
        QVERIFY(ActionHelpers::execute(path, "abc", QString(), error).isEmpty());
        QCOMPARE(error, "The action has been deleted: " + path);
    }

    void testStoredParametersReachTheScript()
    {
        const QString path = writeAction("params.json", {{"script", "((c, first, second, third) => [first, second, third])"},
                                                         {"params", QJsonArray{"first", "second", "third"}}});
        QSettings settings = Utils::settings();
        // "third" was never stored and arrives empty; "other" belongs to no parameter.
        settings.setValue("Parameters/params.json", QVariantMap{{"second", "2"}, {"first", "1"}, {"other", "x"}});
        settings.sync();
        QString error;
        QCOMPARE(ActionHelpers::execute(path, "abc", QString(), error), Texts({"1", "2", ""}));
        QVERIFY(error.isEmpty());
    }

    void testParametersAreFiledUnderTheBareFileName()
    {
        // A user file named like a built-in one shares its stored values.
        const QString path = writeAction("11-wordwrap.json", {{"script", "((c, length) => length)"},
                                                              {"params", QJsonArray{"length"}}});
        QSettings settings = Utils::settings();
        settings.setValue("Parameters/11-wordwrap.json", QVariantMap{{"length", "12"}});
        settings.sync();
        QString error;
        QCOMPARE(ActionHelpers::execute(path, "abc", QString(), error), Texts{"12"});
        QCOMPARE(ActionHelpers::execute(":/data/actions/11-wordwrap.json", "aaa bbb ccc ddd", QString(), error),
                 Texts{"aaa bbb ccc \nddd"});
        QVERIFY(error.isEmpty());
    }

    void testParamsThatAreNotAnArrayCountAsNone()
    {
        const QString path = writeAction("oddparams.json", {{"script", "((c, p) => String(p))"}, {"params", "length"}});
        QString error;
        QCOMPARE(ActionHelpers::execute(path, "abc", QString(), error), Texts{"undefined"});
        QVERIFY(error.isEmpty());
    }
};

KESTOVAN_ACTION_TEST_MAIN(TestActionRunner)
#include "tst_actionrunner.moc"
