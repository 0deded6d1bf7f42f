#include "common/utils.h"
#include "history/itemrole.h"
#include "settings/applicationslist.h"
#include "settings/delaydialog.h"
#include "windowtestsupport.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

namespace {

QPixmap icon(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return pixmap;
}

void store(const QString &key, const QVariant &value)
{
    QSettings settings = Utils::settings();
    settings.setValue(key, value);
}

QVariant stored(const QString &key)
{
    return Utils::settings().value(key);
}

QListWidgetItem *row(ApplicationsList &list, const QString &name)
{
    for (int index = 0; index < list.count(); ++index) {
        if (list.item(index)->data(TextRole).toString() == name)
            return list.item(index);
    }
    return nullptr;
}

QMenu *menuOf(ApplicationsList &list, QListWidgetItem *item)
{
    return list.itemWidget(item)->findChild<QPushButton *>()->menu();
}

QAction *entry(ApplicationsList &list, const QString &name, const QString &text)
{
    for (QAction *action : menuOf(list, row(list, name))->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// The badge tool tips of a row, in order.
QStringList badges(ApplicationsList &list, const QString &name)
{
    QStringList tips;
    for (QLabel *label : list.itemWidget(row(list, name))->findChildren<QLabel *>()) {
        if (!label->toolTip().isEmpty())
            tips.append(label->toolTip());
    }
    return tips;
}

// Answers the next delay dialog with `value`.
void answerDelayDialog(int value)
{
    QTimer::singleShot(0, [value] {
        auto *dialog = qobject_cast<DelayDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QSpinBox *>("spinBox")->setValue(value);
        dialog->accept();
    });
}

} // namespace

// The per-application rules: rows built from the store, the row menu, the delay dialog, and what
// saving writes.
class TestApplicationsList : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Utils::settings().clear();
        store("Applications", QVariantMap{{"Gedit", icon(Qt::blue)},
                                          {"Firefox", icon(Qt::red)},
                                          {"", icon(Qt::gray)},
                                          {"Terminal", icon(Qt::black)}});
        store("ExcludedApplications", QStringList{"Terminal"});
        store("NoExpandApplications", QStringList{"Terminal", "Gone"});
        store("TextOnlyApplications", QStringList{"Gedit"});
        store("DelayedApplications", QVariantMap{{"Firefox", 300}});
    }

    void testRowsFollowTheStore()
    {
        ApplicationsList list;
        // Sorted by name; the empty name is never offered (a rule on it would catch unknown sources).
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.item(0)->data(TextRole).toString(), QString("Firefox"));
        QCOMPARE(list.item(2)->data(TextRole).toString(), QString("Terminal"));

        QCOMPARE(row(list, "Firefox")->data(DelayRole), QVariant(300));
        QVERIFY(!row(list, "Gedit")->data(DelayRole).isValid());
        QCOMPARE(row(list, "Gedit")->data(TextOnlyRole), QVariant(true));
        QCOMPARE(row(list, "Gedit")->data(ExcludeRole), QVariant(false));
        QCOMPARE(row(list, "Terminal")->data(NoExpandRole), QVariant(true));
        QCOMPARE(row(list, "Terminal")->data(ThumbnailRole).value<QPixmap>().toImage().pixelColor(0, 0),
                 QColor(Qt::black));

        QCOMPARE(badges(list, "Terminal"), (QStringList{"Don't add copied items to history", "Do not expand keywords"}));
        QCOMPARE(badges(list, "Firefox"), QStringList{"Delay text expansion for 300 ms"});
        QVERIFY(entry(list, "Terminal", "Don't expand keywords")->isChecked());
        QVERIFY(!entry(list, "Terminal", "Ignore images")->isChecked());
    }

    void testMenuEntriesSetTheRulesThatSavingWrites_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("badge");
        QTest::newRow("exclude") << "Exclude from history" << "ExcludedApplications"
                                 << "Don't add copied items to history";
        QTest::newRow("no images") << "Ignore images" << "NoImagesApplications" << "Never copy images to clipboard";
        QTest::newRow("clear style") << "Clear style" << "FormattingOnlyApplications" << "Clear style from text";
        QTest::newRow("no expand") << "Don't expand keywords" << "NoExpandApplications" << "Do not expand keywords";
    }

    void testMenuEntriesSetTheRulesThatSavingWrites()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, badge);
        ApplicationsList list;
        entry(list, "Firefox", text)->trigger();
        // The row is rebuilt at once.
        QVERIFY(badges(list, "Firefox").contains(badge));
        QVERIFY(entry(list, "Firefox", text)->isChecked());

        QSettings settings = Utils::settings();
        list.saveSettings(settings);
        QVERIFY(stored(key).toStringList().contains("Firefox"));

        entry(list, "Firefox", text)->trigger();
        QVERIFY(!badges(list, "Firefox").contains(badge));
        list.saveSettings(settings);
        QVERIFY(!stored(key).toStringList().contains("Firefox"));
    }

    void testPlainTextOnlyAndClearStyleExcludeEachOther()
    {
        ApplicationsList list;
        QVERIFY(!entry(list, "Gedit", "Clear style")->isEnabled());
        entry(list, "Gedit", "Plain text only")->trigger();
        QVERIFY(entry(list, "Gedit", "Clear style")->isEnabled());
        entry(list, "Gedit", "Clear style")->trigger();
        QVERIFY(!entry(list, "Gedit", "Plain text only")->isEnabled());
        QVERIFY(entry(list, "Gedit", "Clear style")->isChecked());
    }

    void testSavingWritesEveryListFromTheRows()
    {
        ApplicationsList list;
        QSettings settings = Utils::settings();
        list.saveSettings(settings);
        QCOMPARE(stored("ExcludedApplications").toStringList(), QStringList{"Terminal"});
        // Names without an application drop out.
        QCOMPARE(stored("NoExpandApplications").toStringList(), QStringList{"Terminal"});
        QCOMPARE(stored("TextOnlyApplications").toStringList(), QStringList{"Gedit"});
        QCOMPARE(stored("NoImagesApplications").toStringList(), QStringList());
        QCOMPARE(stored("FormattingOnlyApplications").toStringList(), QStringList());
        QCOMPARE(stored("DelayedApplications").toMap(), (QVariantMap{{"Firefox", 300}}));
        QCOMPARE(stored("Applications").toMap().keys(), (QStringList{"", "Firefox", "Gedit", "Terminal"}));
    }

    void testRemovedApplicationGoesAndOneFirstSeenMeanwhileStays()
    {
        ApplicationsList list;
        entry(list, "Terminal", "Remove")->trigger();
        QCOMPARE(list.count(), 2);
        QVERIFY(!row(list, "Terminal"));

        // Copied from while the dialog is open.
        QVariantMap applications = stored("Applications").toMap();
        applications.insert("Kate", icon(Qt::green));
        store("Applications", applications);

        QSettings settings = Utils::settings();
        list.saveSettings(settings);
        QCOMPARE(stored("Applications").toMap().keys(), (QStringList{"", "Firefox", "Gedit", "Kate"}));
        QVERIFY(!stored("ExcludedApplications").toStringList().contains("Terminal"));
        QVERIFY(!stored("NoExpandApplications").toStringList().contains("Terminal"));

        // A rebuild (the dialog shown again after Cancel) forgets the removal.
        store("Applications", applications);
        list.updateApplications();
        QVERIFY(row(list, "Terminal"));
        list.saveSettings(settings);
        QVERIFY(stored("Applications").toMap().contains("Terminal"));
    }

    void testEmptyStoreSavesEmptyLists()
    {
        Utils::settings().clear();
        ApplicationsList list;
        QCOMPARE(list.count(), 0);
        QSettings settings = Utils::settings();
        list.saveSettings(settings);
        for (const char *key : {"ExcludedApplications", "NoImagesApplications", "TextOnlyApplications",
                                "FormattingOnlyApplications", "NoExpandApplications"}) {
            QVERIFY2(settings.contains(key), key);
            QCOMPARE(stored(key).toStringList(), QStringList());
        }
        QCOMPARE(stored("DelayedApplications").toMap(), QVariantMap());
        QCOMPARE(stored("Applications").toMap(), QVariantMap());
    }

    void testDelayFromTheDialog()
    {
        ApplicationsList list;
        answerDelayDialog(750);
        entry(list, "Gedit", "Set text expansion delay...")->trigger();
        QCOMPARE(row(list, "Gedit")->data(DelayRole), QVariant(750));
        QVERIFY(badges(list, "Gedit").contains("Delay text expansion for 750 ms"));

        // A delay of 0 takes the badge and the stored entry away.
        answerDelayDialog(0);
        entry(list, "Firefox", "Set text expansion delay...")->trigger();
        QCOMPARE(badges(list, "Firefox"), QStringList());
        QSettings settings = Utils::settings();
        list.saveSettings(settings);
        QCOMPARE(stored("DelayedApplications").toMap(), (QVariantMap{{"Gedit", 750}}));
    }

    void testDelayDialogKeepsSliderAndSpinBoxTogether()
    {
        DelayDialog dialog(nullptr, 300);
        auto *slider = dialog.findChild<QSlider *>("horizontalSlider");
        auto *spin = dialog.findChild<QSpinBox *>("spinBox");
        QCOMPARE(slider->value(), 300);
        QCOMPARE(spin->value(), 300);
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(dialog.getValue(), 310);
        spin->setValue(1234);
        QCOMPARE(slider->value(), 1234);
        spin->setValue(5000);
        QCOMPARE(dialog.getValue(), 2000);
        QCOMPARE(slider->value(), 2000);
        slider->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(dialog.getValue(), 1900);
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestApplicationsList)
#include "tst_applicationslist.moc"
