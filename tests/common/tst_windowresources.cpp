#include "common/iconresources.h"
#include "common/utils.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QtTest>

namespace {

// The icons the history window and its parts name, whether or not their code exists yet.
const QStringList NamedIcons = {
    // header, status line, carousel, spinner
    "ic_close.svg", "ic_pin.svg", "ic_pin-off.svg", "ic_settings.svg", "ic_search.svg", "ic_bug.svg",
    "ic_remove.svg", "ic_warning.svg", "new.svg", "ic_check.svg", "ic_alert.svg", "progress.svg", "filter.svg",
    // history rows and context menu
    "ic_more.svg", "next.svg", "padlock.svg", "open-padlock.svg", "rtf.svg", "thumbnail.svg",
    "ic_clear-formatting.svg", "page_paste.png", "paste_plain.png", "text_smallcaps.png", "pencil.png",
    "paste_image.png", "paste_file.png", "font.png", "snippets.png", "add.png", "action.png", "delete.png",
    "arrow_join.png", "arrow_switch.png", "setting-actions.png", "setting-snippets.png",
    // action list
    "ic_command.svg", "ic_shield.svg", "ic_error.svg", "eye.png", "command.png",
    // snippets page
    "ic_add.svg", "ic_edit.svg", "ic_up.svg", "ic_down.svg", "move.svg", "ic_invisible.svg", "ic_expand.svg",
    "ic_expand-bg.svg", "ic_command-bg.svg", "ic_invisible-bg.svg", "cursor.svg",
    // logo and tray
    "application.png", "tray-icon-mac-black.png", "tray-icon-mac-white.png"};

// Drawn in their own colours because they are shown unrecoloured on light and dark backgrounds
// alike (the header gradients, the action list's error badge).
const QSet<QString> ColouredSvgs = {"ic_warning.svg", "new.svg", "ic_error.svg", "ic_expand-bg.svg",
                                    "ic_command-bg.svg", "ic_invisible-bg.svg", "folder.svg", "google-drive.svg"};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every icon or logo path written in the program's sources and forms.
QStringList pathsInSources()
{
    const QString root = QStringLiteral(KESTOVAN_TEST_DATA) + "/../../src";
    static const QRegularExpression pattern(
        "\":/(icons/images/[^\"]+\\.(svg|png)|other/release-notes/logo\\.png)\"");
    QSet<QString> paths;
    QDirIterator it(root, {"*.cpp", "*.h", "*.ui"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString text = QString::fromUtf8(readAll(it.next()));
        for (const QRegularExpressionMatch &match : pattern.globalMatch(text))
            paths.insert(":/" + match.captured(1));
    }
    QStringList sorted(paths.begin(), paths.end());
    sorted.sort();
    return sorted;
}

void verifyLoads(const QString &path)
{
    QVERIFY2(QFile::exists(path), qPrintable(path));
    if (path.endsWith(".svg")) {
        QSvgRenderer renderer(readAll(path));
        QVERIFY2(renderer.isValid(), qPrintable(path));
        QVERIFY2(!renderer.defaultSize().isEmpty(), qPrintable(path));
    } else {
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QVERIFY2(image.hasAlphaChannel(), qPrintable(path));
    }
}

} // namespace

class TestWindowResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerIconResources(); }

    void testEveryPathTheSourcesNameLoads()
    {
        const QStringList paths = pathsInSources();
        QVERIFY(paths.contains(":/icons/images/progress.svg"));
        QVERIFY(paths.contains(":/icons/images/filter.svg"));
        for (const QString &path : paths)
            verifyLoads(path);
    }

    void testEveryNamedIconLoads()
    {
        for (const QString &name : NamedIcons)
            verifyLoads(":/icons/images/" + name);
        verifyLoads(":/other/release-notes/logo.png");
    }

    void testMonochromeIconsUseOnlyTheRecolourableBlack()
    {
        QDirIterator it(":/icons/images", {"*.svg"}, QDir::Files);
        int checked = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            if (ColouredSvgs.contains(QFileInfo(path).fileName()))
                continue;
            const QString text = QString::fromUtf8(readAll(path));
            static const QRegularExpression colour("(fill|stroke|stop-color|color)=\"([^\"]*)\"");
            for (const QRegularExpressionMatch &match : colour.globalMatch(text)) {
                const QString value = match.captured(2);
                QVERIFY2(value == "#000000" || value == "none", qPrintable(path + ": " + value));
            }
            QVERIFY2(text.contains("#000000"), qPrintable(path));
            ++checked;
        }
        QVERIFY(checked >= 18);
    }

    void testSpinnerIsAnimatedBySvgItself()
    {
        QSvgRenderer renderer(readAll(":/icons/images/progress.svg"));
        QVERIFY(renderer.isValid());
        QVERIFY(renderer.animated());
    }

    void testRichTextBadgeTakesAnOpacity()
    {
        QVERIFY(readAll(":/icons/images/rtf.svg").contains("opacity=\"1.0\""));
    }
};

QTEST_MAIN(TestWindowResources)
#include "tst_windowresources.moc"
