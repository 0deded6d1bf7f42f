#include "mainwindowtestsupport.h"

#include "actions/actioneditor.h"
#include "widgets/customkeysequenceedit.h"
#include "settings/releasenotesdialog.h"
#include "common/translation.h"
#include "images/editor/imageeditdialog.h"
#include "settings/delaydialog.h"
#include "settings/settingsdialog.h"
#include "widgets/shortcutdialog.h"
#include "settings/snippetclipdialog.h"
#include "sync/synclogdialog.h"
#include "window/editdialog.h"
#include "window/monitor.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTabWidget>
#include <QXmlStreamReader>

using namespace MainWindowTest;

namespace {

// A catalogue's source texts and translations, numerus forms aside.
QList<std::pair<QString, QString>> catalogueTexts(const QString &language)
{
    QFile file(QStringLiteral(KESTOVAN_TEST_DATA "/../../translations/") + language + ".ts");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<std::pair<QString, QString>> texts;
    QXmlStreamReader xml(&file);
    QString source;
    bool numerus = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"message") {
            numerus = xml.attributes().value("numerus") == u"yes";
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation" && !numerus) {
            texts.append({source, xml.readElementText()});
        }
    }
    return texts;
}

// Every text a person reads in a window: titles, labels, buttons, menus, tips and hints.
void collectTexts(QWidget *widget, QList<std::pair<QString, QString>> &texts)
{
    const QString name = widget->window()->metaObject()->className() + QString("/") + widget->objectName();
    const auto add = [&](const QString &text) {
        if (!text.isEmpty())
            texts.append({name, text});
    };
    if (widget->isWindow())
        add(widget->windowTitle());
    add(widget->toolTip());
    if (auto *label = qobject_cast<QLabel *>(widget))
        add(label->text());
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        add(button->text());
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        add(edit->placeholderText());
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        add(group->title());
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->objectName() != "language") {
        for (int i = 0; i < combo->count(); ++i)
            add(combo->itemText(i));
    }
    if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            add(tabs->tabText(i));
    }
    for (QAction *action : widget->actions()) {
        add(action->text());
        add(action->toolTip() == action->text() ? QString() : action->toolTip());
    }
    for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        collectTexts(child, texts);
}

// The texts of the open windows that are among the given ones, with the widget showing each.
QStringList shownAmong(const QSet<QString> &among)
{
    QList<std::pair<QString, QString>> texts;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            collectTexts(window, texts);
    }
    QStringList found;
    for (const auto &[where, text] : std::as_const(texts)) {
        if (among.contains(text))
            found.append(where + ": " + text);
    }
    return found;
}

void chooseLanguage(QComboBox *language, const QString &name)
{
    language->setCurrentText(name);
    emit language->textActivated(name);
}

} // namespace

class LanguageSwitchTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Translation::selectLanguage("English");
    }

    void testEveryOpenWindowFollowsTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : Translation::getLanguages()) {
            if (language != "English")
                QTest::newRow(qPrintable(language)) << language;
        }
    }

    void testEveryOpenWindowFollowsTheLanguage()
    {
        QFETCH(QString, language);
        const QList<std::pair<QString, QString>> catalogue = catalogueTexts(language);
        QVERIFY2(catalogue.size() > 200, "the catalogue cannot be read");
        QSet<QString> sources;
        QSet<QString> translations;
        for (const auto &[source, translation] : catalogue) {
            sources.insert(source);
            translations.insert(translation);
        }
        // A text that reads the same in both languages says nothing about either.
        const QSet<QString> english = QSet<QString>(sources).subtract(translations);
        const QSet<QString> translated = QSet<QString>(translations).subtract(sources);

        const auto window = freshWindow();
        window->showHistory();
        Monitor monitor;
        monitor.show();
        window->showSettings();
        SettingsDialog *settings = window->settings();
        QVERIFY(settings && settings->isVisible());

        // Every form that can be open beside the settings dialog.
        ActionEditor actionEditor(nullptr, nullptr);
        ImageEditDialog imageEditor(QImage(200, 100, QImage::Format_ARGB32));
        ReleaseNotesDialog releaseNotes;
        EditDialog editDialog;
        SnippetClipDialog clipDialog;
        ShortcutDialog shortcutDialog;
        DelayDialog delayDialog(nullptr, 100);
        SyncLogDialog syncLog;
        const QList<QWidget *> forms{&actionEditor, &imageEditor, &releaseNotes, &editDialog,
                                     &clipDialog, &shortcutDialog, &delayDialog, &syncLog};
        for (QWidget *form : forms)
            form->show();

        // The check must see the windows' texts to mean anything.
        const QStringList englishBefore = shownAmong(english);
        QVERIFY2(englishBefore.size() > 60, qPrintable(englishBefore.join('\n')));

        auto *choice = child<QComboBox>(settings, "language");
        chooseLanguage(choice, language);
        QTRY_VERIFY2(shownAmong(english).isEmpty(), qPrintable(shownAmong(english).join('\n')));
        QVERIFY(shownAmong(translated).size() >= englishBefore.size() / 2);

        chooseLanguage(choice, "English");
        QTRY_VERIFY2(shownAmong(translated).isEmpty(), qPrintable(shownAmong(translated).join('\n')));
        const QStringList englishAfter = shownAmong(english);
        for (const QString &text : englishBefore)
            QVERIFY2(englishAfter.contains(text), qPrintable(text));
        settings->reject();
    }

    // Key names are the toolkit's: after German the field kept "Strg+Umschalt+V" in every other
    // language, also in the dialog opened again.
    void testShortcutFieldNamesItsKeysInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Chinese") << "Chinese";
        QTest::newRow("Hindi") << "Hindi";
        QTest::newRow("English") << "English";
    }

    void testShortcutFieldNamesItsKeysInTheLanguage()
    {
        QFETCH(QString, language);
        const QKeySequence open("Ctrl+Shift+V");
        const auto window = freshWindow();
        window->showSettings();
        SettingsDialog *settings = window->settings();
        auto *field = child<CustomKeySequenceEdit>(settings, "shortcut")->findChild<QLineEdit *>();
        QCOMPARE(field->text(), open.toString(QKeySequence::NativeText));

        chooseLanguage(child<QComboBox>(settings, "language"), "German");
        QTRY_COMPARE(field->text(), open.toString(QKeySequence::NativeText));
        QVERIFY2(field->text() != open.toString(QKeySequence::PortableText), qPrintable(field->text()));
        settings->reject();

        Translation::selectLanguage(language);
        window->showSettings();
        QTRY_COMPARE(field->text(), open.toString(QKeySequence::NativeText));
        settings->reject();
    }
};

KESTOVAN_MAINWINDOW_TEST_MAIN(LanguageSwitchTest)
#include "tst_languageswitch.moc"
