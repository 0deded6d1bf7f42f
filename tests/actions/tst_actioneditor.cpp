#include "actions/actioneditor.h"
#include "actions/actionfile.h"
#include "actions/actionhelpers.h"
#include "actions/actionlist.h"
#include "actionwidgettestsupport.h"
#include "codeeditor/qcodeeditor.h"
#include "common/safefile.h"
#include "common/utils.h"
#include "history/itemrole.h"
#include "messagerecorder.h"
#include "warningboxes.h"
#include "widgets/elidedlabel.h"
#include "windowtestsupport.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

using namespace ActionWidgets;

namespace {

const QString DefaultInput = "The quick brown fox jumps over the lazy dog.";

QString status(ActionEditor &editor)
{
    return editor.findChild<ElidedLabel *>("status")->text();
}

QCodeEditor *code(ActionEditor &editor)
{
    return editor.findChild<QCodeEditor *>("editor");
}

QLineEdit *field(ActionEditor &editor, const char *name)
{
    return editor.findChild<QLineEdit *>(name);
}

QString output(ActionEditor &editor)
{
    return editor.findChild<QPlainTextEdit *>("output")->toPlainText();
}

QPushButton *button(ActionEditor &editor, QDialogButtonBox::StandardButton which)
{
    return editor.findChild<QDialogButtonBox *>("buttonBox")->button(which);
}

QStringList parameterNames(ActionEditor &editor)
{
    QStringList names;
    const auto fields = editor.findChild<QGroupBox *>("parameters")
                            ->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    for (const QLineEdit *field : fields)
        names.append(field->objectName());
    return names;
}

// Types a new script and waits until the live test has run on it.
void setScript(ActionEditor &editor, const QString &script)
{
    code(editor)->setPlainText(script);
    QCOMPARE(status(editor), "Status: Evaluating...");
    QTRY_VERIFY_WITH_TIMEOUT(status(editor) != "Status: Evaluating...", 8000);
}

QString skeleton()
{
    QFile file(ActionFile::templatePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The row of `key` in a fresh action list, as the list hands it to the editor.
QListWidgetItem *rowOf(ActionList &list, const QString &key)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->data(FileNameRole).toString() == key)
            return list.item(row);
    }
    return nullptr;
}

QStringList userFiles()
{
    return QDir(ActionFile::userFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestActionEditor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Utils::settings().clear();
        clearUserFolder();
        QFile::remove(Utils::dataPath() + "/actions");
    }

    void testNewActionWithOnlyATitleSavesTheSkeleton()
    {
        ActionEditor editor(nullptr, nullptr);
        editor.show();
        QCOMPARE(editor.windowTitle(), "New action");
        QCOMPARE(code(editor)->toPlainText(), skeleton());
        QTRY_COMPARE(status(editor), "Status: Success");
        QCOMPARE(output(editor), DefaultInput);

        field(editor, "title")->setText("Shout it!");
        button(editor, QDialogButtonBox::Save)->click();

        const QString path = ActionFile::userFolder() + "/Shoutit.json";
        QCOMPARE(userFiles(), QStringList{"Shoutit.json"});
        const QJsonObject action = readAction(path);
        QCOMPARE(action.keys(), QStringList({"created", "description", "failed", "input", "params", "script", "title"}));
        QCOMPARE(action["title"].toString(), "Shout it!");
        QCOMPARE(action["description"].toString(), "");
        QCOMPARE(action["script"].toString(), skeleton());
        QCOMPARE(action["input"].toString(), DefaultInput);
        QCOMPARE(action["params"].toArray(), QJsonArray());
        QCOMPARE(action["failed"], QJsonValue(false));
        QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(Z|[+-]\\d\\d:\\d\\d)$").match(action["created"].toString()).hasMatch());
        QCOMPARE(bytesOf(path), QJsonDocument(action).toJson(QJsonDocument::Compact));
        QCOMPARE(Utils::settings().value("Parameters/Shoutit.json").toMap(), QVariantMap());
    }

    void testSaveNeedsATitle()
    {
        ActionEditor editor(nullptr, nullptr);
        QPushButton *save = button(editor, QDialogButtonBox::Save);
        QVERIFY(!save->isEnabled());
        field(editor, "title")->setText("x");
        QVERIFY(save->isEnabled());
        field(editor, "title")->clear();
        QVERIFY(!save->isEnabled());
    }

    void testBuiltInActionCanBeTriedButNotChanged()
    {
        ActionList list;
        const QString key = ActionFile::builtInFolder() + "/11-wordwrap.json";
        ActionEditor editor(&list, rowOf(list, key));
        editor.show();
        QCOMPARE(editor.windowTitle(), key);
        QCOMPARE(field(editor, "title")->text(), "Word wrap");
        QVERIFY(!field(editor, "title")->isEnabled());
        QVERIFY(!field(editor, "description")->isEnabled());
        QVERIFY(code(editor)->isReadOnly());
        QVERIFY(!button(editor, QDialogButtonBox::Save));
        QCOMPARE(button(editor, QDialogButtonBox::Close)->text(), "Close");

        QTRY_COMPARE(parameterNames(editor), QStringList{"length"});
        QTRY_COMPARE(status(editor), "Status: Success");
        field(editor, "length")->setText("12");
        QCOMPARE(status(editor), "Status: Evaluating...");
        QTRY_COMPARE(status(editor), "Status: Success");
        const QStringList lines = output(editor).split('\n');
        QVERIFY(lines.size() > 10);
        for (const QString &line : lines)
            QVERIFY2(line.trimmed().size() <= 12 || !line.trimmed().contains(' '), qPrintable(line));

        editor.reject();
        QVERIFY(userFiles().isEmpty());
        QVERIFY(!Utils::settings().contains("Parameters/11-wordwrap.json"));
    }

    void testBuiltInActionShowsNoCurrentLineBand()
    {
        ActionList list;
        ActionEditor editor(&list, rowOf(list, ActionFile::builtInFolder() + "/01-tolower.json"));
        editor.show();
        QVERIFY(!code(editor)->toPlainText().isEmpty());
        const QList<QTextEdit::ExtraSelection> highlights = code(editor)->extraSelections();
        QVERIFY(std::none_of(highlights.cbegin(), highlights.cend(), [](const QTextEdit::ExtraSelection &highlight) {
            return highlight.format.hasProperty(QTextFormat::FullWidthSelection);
        }));
    }

    void testParameterFieldsFollowTheFirstLine_data()
    {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("shown");

        const QString none;
        QTest::newRow("arrow function") << none << "((clipping, length) => {\n  return clipping.plainText;\n})"
                                        << QStringList{"length"} << true;
        QTest::newRow("empty entry makes no field") << none << "(function(c, x,) { return c.plainText + x; })"
                                                    << QStringList{"x"} << true;
        QTest::newRow("names trimmed, in order") << none << "((c,  first , second) => c.plainText + first + second)"
                                                 << QStringList{"first", "second"} << true;
        QTest::newRow("skeleton has none") << none << skeleton() << QStringList{} << false;
        QTest::newRow("signature not on the first line") << none << "\n((c, later) => c.plainText)"
                                                         << QStringList{} << false;
        QTest::newRow("no parameter list keeps the fields")
            << "((c, keep) => c.plainText + keep)" << "(clipping => clipping.plainText.toLowerCase())"
            << QStringList{"keep"} << true;
        QTest::newRow("clipping alone removes the fields")
            << "((c, gone) => c.plainText + gone)" << "((c) => c.plainText)" << QStringList{} << false;
        QTest::newRow("renamed parameter") << "((c, old) => c.plainText + old)" << "((c, renamed) => c.plainText + renamed)"
                                           << QStringList{"renamed"} << true;
    }

    void testParameterFieldsFollowTheFirstLine()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, script);
        QFETCH(QStringList, names);
        QFETCH(bool, shown);

        ActionEditor editor(nullptr, nullptr);
        editor.show();
        QTRY_COMPARE(status(editor), "Status: Success");
        if (!earlier.isEmpty())
            setScript(editor, earlier);
        setScript(editor, script);
        QCOMPARE(parameterNames(editor), names);
        QCOMPARE(editor.findChild<QGroupBox *>("parameters")->isVisible(), shown);

        // What the fields show is what the test run and the saved action get.
        field(editor, "title")->setText("Fields");
        editor.accept();
        const QJsonObject saved = readAction(ActionFile::userFolder() + "/Fields.json");
        QCOMPARE(saved["params"].toVariant().toStringList(), names);
    }

    void testFieldBeingTypedInStays()
    {
        ActionEditor editor(nullptr, nullptr);
        editor.show();
        setScript(editor, "((c, tail) => c.plainText + tail)");
        QLineEdit *tail = field(editor, "tail");
        QVERIFY(tail);
        tail->setText("!");
        QTRY_COMPARE(output(editor), DefaultInput + "!");
        QCOMPARE(field(editor, "tail"), tail);
    }

    void testParametersRoundTrip()
    {
        ActionEditor editor(nullptr, nullptr);
        editor.show();
        setScript(editor, "((c, separator, suffix) => c.plainText.split(separator).join('+') + suffix)");
        field(editor, "title")->setText("Join");
        field(editor, "separator")->setText(",");
        field(editor, "suffix")->setText("?");
        QTRY_COMPARE(output(editor), "The quick brown fox jumps over the lazy dog.?");
        editor.accept();

        const QString path = ActionFile::userFolder() + "/Join.json";
        QCOMPARE(readAction(path)["params"].toVariant().toStringList(), QStringList({"separator", "suffix"}));
        QCOMPARE(Utils::settings().value("Parameters/Join.json").toMap(),
                 QVariantMap({{"separator", ","}, {"suffix", "?"}}));

        QString error;
        QCOMPARE(ActionHelpers::execute(path, "a,b,c", QString(), error), QList<QString>{"a+b+c?"});
        QVERIFY2(error.isEmpty(), qPrintable(error));

        // Opened again, the fields show the stored values.
        ActionList list;
        ActionEditor again(&list, rowOf(list, path));
        again.show();
        QTRY_COMPARE(parameterNames(again), QStringList({"separator", "suffix"}));
        QCOMPARE(field(again, "separator")->text(), ",");
        QCOMPARE(field(again, "suffix")->text(), "?");
        again.reject();
    }

    void testScriptErrorsShowAndTheProgramStaysResponsive_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("thrown error") << "(c => {\n  throw new Error('boom');\n})" << "Status: Failure at line 2: boom";
        QTest::newRow("syntax error") << "(c => {\n\n  return c.plainText +;\n})" << "Status: Failure at line 3: ";
        QTest::newRow("thrown text") << "(c => { throw 'no way'; })" << "Status: Failure: no way";
        QTest::newRow("not a function") << "42" << "Status: The action script is not a function.";
        QTest::newRow("endless loop in the function") << "(c => { while (true) {} })"
                                                       << "Status: The action script did not finish within 2 seconds.";
        QTest::newRow("endless loop while evaluating") << "while (true) {}"
                                                        << "Status: The action script did not finish within 2 seconds.";
    }

    void testScriptErrorsShowAndTheProgramStaysResponsive()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);

        ActionEditor editor(nullptr, nullptr);
        editor.show();
        QTRY_COMPARE(status(editor), "Status: Success");

        // The longest the event loop stands still while the script runs.
        QElapsedTimer sinceTick;
        qint64 longestPause = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] {
            longestPause = std::max(longestPause, sinceTick.restart());
        });
        sinceTick.start();
        ticker.start(20);

        code(editor)->setPlainText(script);
        QTRY_VERIFY_WITH_TIMEOUT(status(editor).startsWith(expected), 10000);
        QTest::qWait(100);
        QVERIFY2(longestPause < 3500, qPrintable(QString::number(longestPause)));
        QCOMPARE(output(editor), "");

        field(editor, "title")->setText("Broken");
        editor.accept();
        const QJsonObject saved = readAction(ActionFile::userFolder() + "/Broken.json");
        QCOMPARE(saved["failed"], QJsonValue(true));
        QCOMPARE(saved["script"].toString(), script);
    }

    void testScriptIsNotFirstCalledOnEmptyText()
    {
        ActionEditor editor(nullptr, nullptr);
        editor.show();
        auto *input = editor.findChild<QPlainTextEdit *>("input");
        input->setPlainText("first, second");
        QTRY_COMPARE(status(editor), "Status: Success");
        // Fails on an empty text, works on the sample.
        setScript(editor, "(c => c.plainText.split(',')[1].trim())");
        QCOMPARE(status(editor), "Status: Success");
        QCOMPARE(output(editor), "second");

        // A change of the sample alone does not start the test again.
        input->setPlainText("third, fourth");
        QTest::qWait(700);
        QCOMPARE(output(editor), "second");

        field(editor, "title")->setText("Second");
        editor.accept();
        QCOMPARE(readAction(ActionFile::userFolder() + "/Second.json")["failed"], QJsonValue(false));
    }

    void testScriptTypedJustBeforeSaveIsTestedFirst()
    {
        ActionEditor editor(nullptr, nullptr);
        editor.show();
        QTRY_COMPARE(status(editor), "Status: Success");
        field(editor, "title")->setText("Hasty");
        code(editor)->setPlainText("(c => { throw new Error('late'); })");
        editor.accept();
        QCOMPARE(readAction(ActionFile::userFolder() + "/Hasty.json")["failed"], QJsonValue(true));
    }

    void testNewNameNeverOverwritesAnother_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("listed action") << "action";
        QTest::newRow("deleted action") << "tombstone";
        QTest::newRow("link to nowhere") << "dangling link";
        QTest::newRow("link to a file elsewhere") << "link";
    }

    void testNewNameNeverOverwritesAnother()
    {
        QFETCH(QString, kind);
        QDir().mkpath(ActionFile::userFolder());
        const QString taken = ActionFile::userFolder() + "/Ab.json";
        const QString elsewhere = Utils::dataPath() + "/elsewhere.json";
        QFile::remove(elsewhere);
        if (kind == "action")
            writeAction("Ab.json", {{"title", "Ab"}, {"script", "(c => 1)"}});
        else if (kind == "tombstone")
            writeAction("Ab.json", {{"title", "Ab"}, {"deleted", true}});
        else if (kind == "dangling link")
            QVERIFY(QFile::link(Utils::dataPath() + "/nowhere.json", taken));
        else {
            QFile file(elsewhere);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("keep me");
            file.close();
            QVERIFY(QFile::link(elsewhere, taken));
        }
        const QFileInfo before(taken);
        const QByteArray bytesBefore = bytesOf(taken);

        ActionEditor editor(nullptr, nullptr);
        editor.show();
        field(editor, "title")->setText("A b");
        editor.accept();

        QCOMPARE(readAction(ActionFile::userFolder() + "/Ab-1.json")["title"].toString(), "A b");
        const QFileInfo after(taken);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.symLinkTarget(), before.symLinkTarget());
        QCOMPARE(bytesOf(taken), bytesBefore);
        if (kind == "link")
            QCOMPARE(bytesOf(elsewhere), QByteArray("keep me"));
    }

    void testEditingKeepsTheFileAndTheOthers()
    {
        const QString path = writeAction("Old.json", {{"title", "Old"}, {"description", "before"},
                                                      {"script", "(c => c.plainText)"}, {"input", "in"}});
        writeAction("New.json", {{"title", "New"}, {"script", "(c => 'other')"}});
        const QByteArray other = bytesOf(ActionFile::userFolder() + "/New.json");

        ActionList list;
        ActionEditor editor(&list, rowOf(list, path));
        editor.show();
        QCOMPARE(field(editor, "title")->text(), "Old");
        QCOMPARE(field(editor, "description")->text(), "before");
        QCOMPARE(editor.findChild<QPlainTextEdit *>("input")->toPlainText(), "in");
        QTRY_COMPARE(status(editor), "Status: Success");
        field(editor, "title")->setText("New");
        field(editor, "description")->setText("after");
        editor.accept();

        QCOMPARE(userFiles(), QStringList({"New.json", "Old.json"}));
        const QJsonObject saved = readAction(path);
        QCOMPARE(saved["title"].toString(), "New");
        QCOMPARE(saved["description"].toString(), "after");
        QCOMPARE(saved["input"].toString(), "in");
        QCOMPARE(bytesOf(ActionFile::userFolder() + "/New.json"), other);
    }

    void testCancelWritesNothing()
    {
        ActionEditor editor(nullptr, nullptr);
        editor.show();
        setScript(editor, "((c, unsaved) => c.plainText + unsaved)");
        field(editor, "title")->setText("Never");
        field(editor, "unsaved")->setText("value");
        editor.reject();
        QVERIFY(userFiles().isEmpty());
        QVERIFY(Utils::settings().allKeys().filter("Parameters").isEmpty());
    }

    void testFailedSaveKeepsTheEditorOpenWithEverythingTyped_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QString>("expected");
        // A file where the folder should be.
        QTest::newRow("folder cannot be made") << false << "Failed to create " + ActionFile::userFolder();
        // Something in the way of the save's temporary file.
        QTest::newRow("file cannot be replaced") << true << "";
    }

    void testFailedSaveKeepsTheEditorOpenWithEverythingTyped()
    {
        QFETCH(bool, existing);
        QFETCH(QString, expected);
        QString path = ActionFile::userFolder() + "/Saved.json";
        if (existing) {
            writeAction("Saved.json", {{"title", "Saved"}, {"script", "(c => c.plainText)"}});
            QVERIFY(QDir().mkpath(SafeFile::temporaryPath(path) + "/blocker"));
        } else {
            QDir().mkpath(Utils::dataPath());
            QFile blocker(ActionFile::userFolder());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        const QByteArray before = bytesOf(path);

        MessageRecorder recorder;
        WarningBoxesShown boxes;
        ActionList list;
        ActionEditor editor(&list, existing ? rowOf(list, path) : nullptr);
        // As the action list runs it: every other window is blocked.
        editor.setWindowModality(Qt::ApplicationModal);
        editor.show();
        const QString script = "((c, suffix) => c.plainText + suffix)";
        setScript(editor, script);
        field(editor, "title")->setText("Saved");
        field(editor, "suffix")->setText("!");
        button(editor, QDialogButtonBox::Save)->click();
        QCOMPARE(bytesOf(path), before);
        QVERIFY2(recorder.messages.contains("Writing the action file failed: " + path),
                 qPrintable(recorder.messages.join('\n')));
        if (!expected.isEmpty())
            QVERIFY(recorder.messages.contains(expected));

        // The box can be answered, and behind it everything is as typed, to try again.
        QVERIFY(UserWarning::currentBox());
        QCOMPARE(UserWarning::currentBox()->parentWidget(), &editor);
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.result(), int(QDialog::Rejected));
        QCOMPARE(field(editor, "title")->text(), "Saved");
        QCOMPARE(code(editor)->toPlainText(), script);
        QCOMPARE(field(editor, "suffix")->text(), "!");
        QVERIFY(Utils::settings().allKeys().filter("Parameters").isEmpty());

        QDir(SafeFile::temporaryPath(path)).removeRecursively();
        QFile::remove(ActionFile::userFolder());
        button(editor, QDialogButtonBox::Save)->click();
        QVERIFY(!editor.isVisible());
        QCOMPARE(readAction(path)["script"].toString(), script);
        QCOMPARE(Utils::settings().value("Parameters/Saved.json").toMap(), QVariantMap({{"suffix", "!"}}));
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestActionEditor)
#include "tst_actioneditor.moc"
