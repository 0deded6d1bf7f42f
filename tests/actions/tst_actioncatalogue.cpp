#include "actions/actioncatalogue.h"
#include "actions/actionfile.h"
#include "actions/actionhelpers.h"
#include "actiontestenvironment.h"
#include "common/utils.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QListWidgetItem>

#include <sys/stat.h>

namespace {

const QStringList builtInNames = {
    "01-tolower.json",    "02-toupper.json",      "03-jsonprettyprint.json", "04-stripthtml.json",
    "05-currenttime.json", "06-generatepassword.json", "07-hexdump.json",    "08-datetovalue.json",
    "09-valuetodate.json", "10-createguid.json",   "11-wordwrap.json",        "12-splitlines.json"};

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

bool writeAction(const QString &name, const QJsonObject &action)
{
    return writeFile(ActionFile::userFolder() + "/" + name, QJsonDocument(action).toJson(QJsonDocument::Compact));
}

} // namespace

class TestActionCatalogue : public QObject
{
    Q_OBJECT

    QString m_user;

    QString user(const QString &name) const
    {
        return m_user + "/" + name;
    }

private slots:
    void init()
    {
        Utils::settings().clear();
        m_user = ActionFile::userFolder();
        QDir(m_user).removeRecursively();
    }

    void testBuiltInScanListsTwelveActionsWithoutTheTemplate()
    {
        QMap<QString, QJsonObject> files;
        ActionHelpers::scanFiles(":/data/actions", files, false);
        QStringList expected;
        for (const QString &name : builtInNames)
            expected.append(":/data/actions/" + name);
        QCOMPARE(files.keys(), expected);
        QVERIFY(QFile::exists(":/data/actions/template.js"));
        for (const QJsonObject &action : std::as_const(files))
            QVERIFY(!action.value("script").toString().isEmpty());
    }

    void testScanSkipsWhatCannotBeReadAndKeepsTombstones()
    {
        QVERIFY(QDir().mkpath(user("folder.json")));
        QVERIFY(writeAction("good.json", {{"title", "Good"}}));
        QVERIFY(writeAction(".hidden.json", {{"title", "Hidden"}}));
        QVERIFY(writeAction("gone.json", {{"title", "Gone"}, {"deleted", true}}));
        QVERIFY(writeFile(user("broken.json"), "{\"title\": \"Broken\""));
        QVERIFY(writeFile(user("array.json"), "[1, 2]"));
        QVERIFY(writeFile(user("notes.txt"), "{\"title\": \"Any name\"}"));

        QMap<QString, QJsonObject> byKey;
        ActionHelpers::scanFiles(m_user, byKey, false);
        QCOMPARE(byKey.keys(), QStringList({user("array.json"), user("gone.json"), user("good.json"), user("notes.txt")}));
        QCOMPARE(byKey.value(user("array.json")), QJsonObject());
        QCOMPARE(byKey.value(user("good.json")).value("title").toString(), QString("Good"));

        QMap<QString, QJsonObject> byName;
        ActionHelpers::scanFiles(m_user, byName, true);
        QCOMPARE(byName.keys(), QStringList({"array.json", "gone.json", "good.json", "notes.txt"}));
        QVERIFY(ActionFile::isDeleted(byName.value("gone.json")));
    }

    void testScanOfMissingFolderFindsNothing()
    {
        QMap<QString, QJsonObject> files;
        ActionHelpers::scanFiles(m_user + "/nowhere", files, true);
        QVERIFY(files.isEmpty());
    }

    void testOrderPutsBuiltInActionsFirst()
    {
        QStringList keys = {"/home/u/b.json", ":/data/actions/02-toupper.json", "/home/u/B.json", "/home/u/a.json",
                            ":/data/actions/01-tolower.json"};
        std::sort(keys.begin(), keys.end(), actionLessThan);
        QCOMPARE(keys, QStringList({":/data/actions/01-tolower.json", ":/data/actions/02-toupper.json", "/home/u/B.json",
                                    "/home/u/a.json", "/home/u/b.json"}));
        QVERIFY(!actionLessThan(":/x", ":/x"));
    }

    void testListedActionsAndTheirTitles()
    {
        QVERIFY(QDir().mkpath(m_user));
        QVERIFY(writeAction("Zeta.json", {{"title", "Zeta"}}));
        QVERIFY(writeAction("Alpha.json", {{"title", "Alpha"}}));
        QVERIFY(writeAction("Gone.json", {{"title", "Gone"}, {"deleted", true}}));
        // Named like a built-in file, yet an action of its own.
        QVERIFY(writeAction("11-wordwrap.json", {{"title", "My wrap"}}));

        const QList<ActionCatalogue::Entry> entries = ActionCatalogue::listedActions();
        QStringList keys;
        for (const ActionCatalogue::Entry &entry : entries)
            keys.append(entry.key);
        QStringList expected;
        for (const QString &name : builtInNames)
            expected.append(":/data/actions/" + name);
        expected << user("11-wordwrap.json") << user("Alpha.json") << user("Zeta.json");
        QCOMPARE(keys, expected);

        {
            QSettings settings = Utils::settings();
            ActionCatalogue::writeTitles(settings, entries);
        }
        QSettings reread = Utils::settings();
        const QMap<QString, QString> titles = ActionCatalogue::titles(reread);
        QCOMPARE(QSet<QString>(titles.keyBegin(), titles.keyEnd()), QSet<QString>(expected.begin(), expected.end()));
        QCOMPARE(titles.value(":/data/actions/11-wordwrap.json"), QString("Word wrap"));
        QCOMPARE(titles.value(user("11-wordwrap.json")), QString("My wrap"));
        QVERIFY(!titles.contains(user("Gone.json")));
        QCOMPARE(reread.value("Actions").toMap().value(user("Zeta.json")).toString(), QString("Zeta"));
    }

    // The titles are written at every start; when they are the same, the settings file must stay
    // as it is instead of being replaced.
    void testUnchangedTitlesLeaveTheSettingsFile()
    {
        const auto entry = [](const QString &key, const QString &title) {
            return ActionCatalogue::Entry{key, QJsonObject{{"title", title}}};
        };
        const QList<ActionCatalogue::Entry> entries{entry(user("A.json"), "A"), entry(user("B.json"), "B")};
        const auto fileIdentity = [] {
            struct stat status{};
            const QString path = Utils::settings().fileName();
            if (stat(QFile::encodeName(path).constData(), &status) != 0)
                return QPair<qint64, qint64>(-1, -1);
            return QPair<qint64, qint64>(qint64(status.st_ino), qint64(status.st_mtim.tv_nsec));
        };
        {
            QSettings settings = Utils::settings();
            ActionCatalogue::writeTitles(settings, entries);
        }
        const auto written = fileIdentity();
        QVERIFY(written.first != -1);
        {
            QSettings settings = Utils::settings();
            ActionCatalogue::writeTitles(settings, entries);
        }
        QCOMPARE(fileIdentity(), written);

        // A changed title is still written.
        {
            QSettings settings = Utils::settings();
            ActionCatalogue::writeTitles(settings, {entry(user("A.json"), "A2"), entry(user("B.json"), "B")});
        }
        QVERIFY(fileIdentity() != written);
        QSettings reread = Utils::settings();
        QCOMPARE(ActionCatalogue::titles(reread).value(user("A.json")), QString("A2"));
    }

    void testMenuSettingsAreWrittenAndStaleKeysDropOut()
    {
        const QString lower = ":/data/actions/01-tolower.json";
        const QString upper = ":/data/actions/02-toupper.json";
        {
            QSettings settings = Utils::settings();
            ActionCatalogue::writeMenuSettings(settings, {lower, upper}, {{lower, "Ctrl+Alt+L"}, {upper, ""}});
        }
        {
            QSettings settings = Utils::settings();
            QCOMPARE(ActionCatalogue::hiddenActions(settings), QStringList({lower, upper}));
            QCOMPARE(settings.value("HiddenActions").toStringList(), QStringList({lower, upper}));
            const QMap<QString, QString> shortcuts = ActionCatalogue::shortcuts(settings);
            QCOMPARE(shortcuts.value(lower), QString("Ctrl+Alt+L"));
            QVERIFY(shortcuts.contains(upper));
            QCOMPARE(shortcuts.value(upper), QString());
            ActionCatalogue::writeMenuSettings(settings, {upper}, {{upper, "Meta+U"}});
        }
        QSettings settings = Utils::settings();
        QCOMPARE(ActionCatalogue::hiddenActions(settings), QStringList{upper});
        QCOMPARE(ActionCatalogue::shortcuts(settings), (QMap<QString, QString>{{upper, "Meta+U"}}));
    }

    void testMissingSettingsReadAsEmpty()
    {
        QSettings settings = Utils::settings();
        QVERIFY(ActionCatalogue::titles(settings).isEmpty());
        QVERIFY(ActionCatalogue::hiddenActions(settings).isEmpty());
        QVERIFY(ActionCatalogue::shortcuts(settings).isEmpty());
        QVERIFY(ActionFile::parameterValues(":/data/actions/11-wordwrap.json").isEmpty());
    }

    void testNewFileNamesComeFromTheTitle()
    {
        QVERIFY(QDir().mkpath(m_user));
        QCOMPARE(ActionFile::newFilePath(m_user, "Word wrap 2!"), user("Wordwrap2.json"));
        QCOMPARE(ActionFile::newFilePath(m_user, "A b"), user("Ab.json"));
        QVERIFY(writeFile(user("Ab.json"), "{}"));
        QCOMPARE(ActionFile::newFilePath(m_user, "Ab"), user("Ab-1.json"));
        QVERIFY(writeFile(user("Ab-1.json"), "{}"));
        QCOMPARE(ActionFile::newFilePath(m_user, "A.b"), user("Ab-2.json"));
        // Only ASCII letters and digits are kept, also when the title has other digits.
        QCOMPARE(ActionFile::newFilePath(m_user, QString::fromUtf8("Ääkkönen ٣")), user("kknen.json"));
    }

    void testTitleWithoutUsableCharactersGetsAVisibleName()
    {
        QVERIFY(QDir().mkpath(m_user));
        const QString first = ActionFile::newFilePath(m_user, QString::fromUtf8("äö €"));
        QCOMPARE(first, user("action.json"));
        QVERIFY(writeAction("action.json", {{"title", QString::fromUtf8("äö €")}}));
        QCOMPARE(ActionFile::newFilePath(m_user, ""), user("action-1.json"));

        // The saved action is found by the scan, so it is listed.
        QMap<QString, QJsonObject> files;
        ActionHelpers::scanFiles(m_user, files, false);
        QCOMPARE(files.keys(), QStringList{first});
    }

    void testOnlyPlainNamesBecomeFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("plain") << "Wordwrap2.json" << true;
        QTest::newRow("built-in name") << "11-wordwrap.json" << true;
        QTest::newRow("parent folder") << "../x.json" << false;
        QTest::newRow("two levels up") << "../../.config/autostart/x.json" << false;
        QTest::newRow("absolute") << "/etc/x.json" << false;
        QTest::newRow("sub folder") << "a/b.json" << false;
        QTest::newRow("backslash") << "a\\b.json" << false;
        QTest::newRow("dots inside") << "a..json" << false;
        QTest::newRow("hidden") << ".json" << false;
        QTest::newRow("not json") << "x.sh" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("nul") << QString("x") + QChar(0) + ".json" << false;
    }

    void testOnlyPlainNamesBecomeFileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(ActionFile::isPlainFileName(name), plain);
        QCOMPARE(ActionFile::userFilePath(name), plain ? user(name) : QString());
    }

    void testBuiltInRowsAreRecognised()
    {
        QVERIFY(!ActionHelpers::isBuiltInAction(nullptr));
        QListWidgetItem builtIn;
        builtIn.setData(268, ":/data/actions/01-tolower.json");
        QVERIFY(ActionHelpers::isBuiltInAction(&builtIn));
        QListWidgetItem own;
        own.setData(268, user("Mine.json"));
        QVERIFY(!ActionHelpers::isBuiltInAction(&own));
        QListWidgetItem otherRole;
        otherRole.setData(257, ":/data/actions/01-tolower.json");
        QVERIFY(!ActionHelpers::isBuiltInAction(&otherRole));
    }
};

KESTOVAN_ACTION_TEST_MAIN(TestActionCatalogue)
#include "tst_actioncatalogue.moc"
