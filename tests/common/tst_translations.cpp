#include "actions/actionfile.h"
#include "common/translation.h"
#include "common/translationcatalogue.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

#include <memory>

using namespace TranslationCatalogue;

namespace {

const QString Folder = QStringLiteral(KESTOVAN_TEST_DATA "/../../translations");

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// %1 to %99, %L1, %n and %Ln, in order of appearance.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?(?:[1-9][0-9]?|n)"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    return found;
}

// An accelerator is a single "&" before a character other than a space.
bool hasAccelerator(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("(?<!&)&(?!&)\\S"));
    return text.contains(pattern) && !text.contains(QStringLiteral("<html>"));
}

QString leadingSpace(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return text.left(i);
}

QString trailingSpace(const QString &text)
{
    qsizetype i = text.size();
    while (i > 0 && text.at(i - 1).isSpace())
        --i;
    return text.mid(i);
}

// A full-width mark carries its own space.
bool endsWithSpaceOf(const QString &source, const QString &translation)
{
    if (trailingSpace(translation) == trailingSpace(source))
        return true;
    static const QRegularExpression fullWidth(QStringLiteral("[：，。]$"));
    return trailingSpace(source) == " " && translation.contains(fullWidth);
}

// The ways each language may end a text that ends in the given mark.
bool endsAlike(const QString &source, const QString &translation)
{
    static const QList<std::pair<QString, QStringList>> marks{
        {"...", {"...", "…"}},
        {":", {":", "："}},
        {"?", {"?", "？"}},
        {"!", {"!", "！"}},
        {".", {".", "。", "।"}},
    };
    const QString s = source.trimmed();
    const QString t = translation.trimmed();
    for (const auto &[mark, endings] : marks) {
        if (s.endsWith(mark))
            return std::any_of(endings.cbegin(), endings.cend(), [&t](const QString &e) { return t.endsWith(e); });
    }
    return true;
}

QStringList catalogueFiles()
{
    return QDir(Folder).entryList({"*.ts"}, QDir::Files, QDir::Name);
}

QStringList offeredLanguagesWithCatalogues()
{
    QStringList languages = Translation::getLanguages();
    languages.removeAll("English");
    return languages;
}

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Translation::selectLanguage("English");
    }

    void testEveryOfferedLanguageButEnglishHasACatalogue()
    {
        QStringList expected;
        for (const QString &language : offeredLanguagesWithCatalogues())
            expected.append(language + ".ts");
        QCOMPARE(catalogueFiles(), sorted(expected));
        for (const QString &language : offeredLanguagesWithCatalogues()) {
            QTranslator translator;
            QVERIFY2(translator.load(":/i18n/" + language + ".qm"), qPrintable(language));
            QVERIFY(!translator.isEmpty());
        }
    }

    void testCatalogues_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &file : catalogueFiles())
            QTest::newRow(qPrintable(file)) << file;
    }

    // Every entry is finished and current, and keeps what the program fills in or relies on.
    void testCatalogues()
    {
        QFETCH(QString, file);
        const Catalogue catalogue = readCatalogue(Folder + "/" + file);
        QVERIFY2(catalogue.error.isEmpty(), qPrintable(catalogue.error));
        QVERIFY(!catalogue.language.isEmpty());
        QVERIFY(catalogue.messages.size() > 250);

        QStringList faults;
        for (const Message &m : catalogue.messages) {
            const QString where = m.context + " \"" + m.source + "\": ";
            if (!m.type.isEmpty()) {
                faults.append(where + m.type);
                continue;
            }
            if (m.forms.isEmpty())
                faults.append(where + "no translation");
            for (const QString &form : m.forms) {
                if (form.isEmpty())
                    faults.append(where + "empty translation");
                else if (sorted(placeholders(form)) != sorted(placeholders(m.source)))
                    faults.append(where + "placeholders differ in \"" + form + "\"");
                else if (hasAccelerator(m.source) != hasAccelerator(form))
                    faults.append(where + "accelerator differs in \"" + form + "\"");
                else if (leadingSpace(form) != leadingSpace(m.source) || !endsWithSpaceOf(m.source, form))
                    faults.append(where + "leading or trailing space or line break differs in \"" + form + "\"");
                else if (!endsAlike(m.source, form))
                    faults.append(where + "ends unlike the source: \"" + form + "\"");
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    // lupdate refreshes all catalogues together; one left behind would miss texts.
    void testCataloguesHoldTheSameTexts()
    {
        const auto keys = [](const Catalogue &catalogue) {
            QStringList keys;
            for (const Message &m : catalogue.messages)
                keys.append(m.context + '\n' + m.source);
            return sorted(keys);
        };
        const QStringList files = catalogueFiles();
        QVERIFY(!files.isEmpty());
        const QStringList reference = keys(readCatalogue(Folder + "/" + files.first()));
        for (const QString &file : files)
            QVERIFY2(keys(readCatalogue(Folder + "/" + file)) == reference, qPrintable(file));
    }

    // English shows its source texts, but a count needs its plural forms: "1 minute ago".
    void testEnglishHasThePluralFormsOfEveryCount()
    {
        QStringList counts;
        for (const Message &m : readCatalogue(Folder + "/German.ts").messages) {
            if (m.numerus)
                counts.append(m.context + '\n' + m.source);
        }
        QVERIFY(!counts.isEmpty());

        const Catalogue english = readCatalogue(Folder + "/plurals/English.ts");
        QVERIFY2(english.error.isEmpty(), qPrintable(english.error));
        QStringList held;
        for (const Message &m : english.messages) {
            held.append(m.context + '\n' + m.source);
            QVERIFY2(m.numerus && m.type.isEmpty() && m.forms.size() == 2, qPrintable(m.source));
            for (const QString &form : m.forms)
                QVERIFY2(placeholders(form) == placeholders(m.source) && !form.contains("(s)"), qPrintable(form));
        }
        QCOMPARE(sorted(held), sorted(counts));
    }

    // Their titles and descriptions live in resource files that lupdate does not read.
    void testBuiltInActionsAreTranslated()
    {
        const QString folder = ActionFile::builtInFolder();
        const QStringList files = QDir(folder).entryList({"*.json"}, QDir::Files);
        QVERIFY(files.size() >= 10);
        for (const QString &language : offeredLanguagesWithCatalogues()) {
            QTranslator translator;
            QVERIFY(translator.load(":/i18n/" + language + ".qm"));
            for (const QString &name : files) {
                QFile file(folder + "/" + name);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QJsonObject action = QJsonDocument::fromJson(file.readAll()).object();
                for (const char *key : {"title", "description"}) {
                    const QByteArray text = action.value(QLatin1String(key)).toString().toUtf8();
                    QVERIFY2(!translator.translate("ActionList", text.constData()).isEmpty(),
                             qPrintable(language + ": " + text));
                }
            }
        }
    }

    void testQtCatalogueFollowsTheLanguage_data()
    {
        QTest::addColumn<QStringList>("chosen");
        // Qt's own catalogue of the last language chosen, or none.
        QTest::addColumn<QString>("file");
        QTest::newRow("Chinese") << QStringList{"Chinese"} << "qt_zh_CN.qm";
        QTest::newRow("Finnish") << QStringList{"Finnish"} << "qt_fi.qm";
        QTest::newRow("French") << QStringList{"French"} << "qt_fr.qm";
        QTest::newRow("German") << QStringList{"German"} << "qt_de.qm";
        QTest::newRow("Portuguese") << QStringList{"Portuguese"} << "qt_pt_BR.qm";
        QTest::newRow("Hindi, which Qt has none of") << QStringList{"Hindi"} << "";
        QTest::newRow("switched live") << QStringList{"German", "French"} << "qt_fr.qm";
        QTest::newRow("back to English") << QStringList{"German", "English"} << "";
    }

    // Qt's own windows (the folder chooser above all) speak the chosen language beside ours.
    void testQtCatalogueFollowsTheLanguage()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QString, file);
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!file.isEmpty())
            QVERIFY2(QFile::exists(folder + "/" + file), qPrintable(file + " is missing from " + folder +
                                                                    ": Qt's translations are not installed"));
        for (const QString &language : chosen)
            Translation::selectLanguage(language);

        const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
        if (file.isEmpty()) {
            QCOMPARE(lookIn, QString("Look in:"));
            return;
        }
        QCOMPARE(QFileInfo(Translation::c_qtTranslator.filePath()).fileName(), file);
        QCOMPARE(lookIn, Translation::c_qtTranslator.translate("QFileDialog", "Look in:"));
        QVERIFY2(lookIn != "Look in:", qPrintable(file));
        // Ours still wins where both carry a text: the shortcut fields are as wide as our hint.
        QCOMPARE(QCoreApplication::translate("QKeySequenceEdit", "Press shortcut"),
                 Translation::c_translator.translate("QKeySequenceEdit", "Press shortcut"));
    }

    // The toolkit looks its own texts up under its own spelling; a slip in ours would leave English.
    void testToolkitTextsFollowTheLanguage()
    {
        Translation::selectLanguage("Chinese");
        QStringList shown;
        QLineEdit line;
        QTextEdit text;
        const std::unique_ptr<QMenu> lineMenu(line.createStandardContextMenu());
        const std::unique_ptr<QMenu> textMenu(text.createStandardContextMenu());
        for (const QMenu *menu : {lineMenu.get(), textMenu.get()}) {
            for (const QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    shown.append(action->text().section('\t', 0, 0));
            }
        }
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Close |
                                 QDialogButtonBox::Save | QDialogButtonBox::Yes | QDialogButtonBox::No |
                                 QDialogButtonBox::Ignore);
        for (const QAbstractButton *button : buttons.buttons())
            shown.append(button->text());

        // Seven entries in each edit menu, seven buttons.
        QCOMPARE(shown.size(), 21);
        static const QRegularExpression english(QStringLiteral("[A-Za-z]{2,}"));
        for (const QString &text : std::as_const(shown))
            QVERIFY2(!text.contains(english), qPrintable(text));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
