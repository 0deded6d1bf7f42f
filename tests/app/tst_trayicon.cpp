#include "common/iconresources.h"
#include "app/trayicon.h"
#include "common/translation.h"

#include <QApplication>
#include <QImage>
#include <QtTest>

namespace {

QImage iconImage(const QIcon &icon, const QSize &size)
{
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestTrayIcon : public QObject
{
    Q_OBJECT

    QImage m_white;
    QImage m_black;

private slots:
    void initTestCase()
    {
        registerIconResources();
        m_white = QImage(":/icons/images/tray-icon-mac-white.png").convertToFormat(QImage::Format_ARGB32);
        m_black = QImage(":/icons/images/tray-icon-mac-black.png").convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!m_white.isNull() && !m_black.isNull());
        QVERIFY(m_white != m_black);
    }

    void cleanup()
    {
        qunsetenv("KESTOVAN_DARK_MODE");
        Translation::selectLanguage("English");
    }

    void testIconMatchesTheAppearanceAtStartAndStays()
    {
        qputenv("KESTOVAN_DARK_MODE", "1");
        TrayIcon dark;
        QVERIFY(dark.isVisible());
        QVERIFY(dark.icon().isMask());
        QCOMPARE(iconImage(dark.icon(), m_white.size()), m_white);

        // A later switch of the appearance leaves the icon alone.
        qputenv("KESTOVAN_DARK_MODE", "0");
        QCOMPARE(iconImage(dark.icon(), m_white.size()), m_white);

        TrayIcon light;
        QCOMPARE(iconImage(light.icon(), m_black.size()), m_black);
    }

    void testLanguagesInTheirOrder()
    {
        QCOMPARE(Translation::getLanguages(),
                 QList<QString>({"Chinese", "English", "Finnish", "French", "German", "Hindi", "Portuguese"}));
    }

    void testCatalogueIsBuiltIntoTheResources()
    {
        QVERIFY(QFile::exists(":/i18n/German.qm"));
    }

    void testSelectingALanguageSwitchesTheTexts()
    {
        Translation::selectLanguage("German");
        QCOMPARE(QCoreApplication::translate("QObject", "Quit"), QString("Beenden"));
        QCOMPARE(QCoreApplication::translate("QObject", "Kestovan is already running!"),
                 QString("Kestovan läuft bereits!"));

        // English's catalogue holds plural forms alone: the German one goes and the source texts show.
        Translation::selectLanguage("English");
        QCOMPARE(QCoreApplication::translate("QObject", "Quit"), QString("Quit"));

        Translation::selectLanguage("German");
        Translation::selectLanguage("Klingon");
        QCOMPARE(QCoreApplication::translate("QObject", "Quit"), QString("Quit"));
    }
};

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
