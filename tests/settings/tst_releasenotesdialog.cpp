#include "settings/releasenotesdialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

namespace {

const QString logoLine = QStringLiteral("![Kestovan](:/other/release-notes/logo.png)\n");

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestReleaseNotesDialog : public QObject
{
    Q_OBJECT

private slots:
    void testNewestNotesComeFirstEachFollowedByARule()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeFile(dir.filePath("version-1.09.md"), "nine"));
        QVERIFY(writeFile(dir.filePath("version-0.09.md"), "old"));
        QVERIFY(writeFile(dir.filePath("version-1.10.md"), "ten"));
        QVERIFY(writeFile(dir.filePath("logo.png"), "not a note"));
        QVERIFY(writeFile(dir.filePath("version-1.11.MD"), "wrong case"));
        QCOMPARE(ReleaseNotesDialog::notesMarkdown(dir.path()),
                 logoLine + "ten\n---\nnine\n---\nold\n---\n");
    }

    void testWithoutNotesOnlyTheLogoShows()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(ReleaseNotesDialog::notesMarkdown(dir.path()), logoLine);
    }

    void testShippedNotesAreListedNewestFirst()
    {
        const QString markdown = ReleaseNotesDialog::notesMarkdown();
        QVERIFY(markdown.startsWith(logoLine));
        const qsizetype ten = markdown.indexOf("## Kestovan 1.10");
        const qsizetype nine = markdown.indexOf("## Kestovan 1.09");
        QVERIFY(ten > 0);
        QVERIFY(nine > ten);
        QVERIFY(markdown.endsWith("\n---\n"));
    }

    void testDialogShowsTheNotesWithTheLogoAndRestyledHeadings()
    {
        ReleaseNotesDialog dialog;
        QCOMPARE(dialog.objectName(), QString("ReleaseNotesDialog"));
        QCOMPARE(dialog.windowTitle(), QString("Release Notes"));
        QCOMPARE(dialog.size(), QSize(400, 480));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));

        auto *notes = dialog.findChild<QTextEdit *>("notes");
        QVERIFY(notes);
        QVERIFY(notes->isReadOnly());
        QVERIFY(notes->toPlainText().contains("Kestovan 1.10"));
        const QString html = notes->toHtml();
        QVERIFY(!html.contains("font-weight:600"));
        QVERIFY(html.contains("margin-top:10px"));
        // The logo comes from the resources.
        const QVariant logo =
            notes->document()->resource(QTextDocument::ImageResource, QUrl(":/other/release-notes/logo.png"));
        QVERIFY(logo.isValid());
        QVERIFY(!logo.value<QImage>().isNull() || !logo.value<QPixmap>().isNull() || !logo.toByteArray().isEmpty());

        auto *buttons = dialog.findChild<QDialogButtonBox *>("buttonBox");
        QVERIFY(buttons);
        QVERIFY(buttons->centerButtons());
        QCOMPARE(buttons->buttons().size(), 1);
        dialog.show();
        buttons->button(QDialogButtonBox::Close)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestReleaseNotesDialog)
#include "tst_releasenotesdialog.moc"
