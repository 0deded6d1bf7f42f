#pragma once

#include "isolatedhome.h"

#include "app/application.h"
#include "clipboard/clipboardtools.h"
#include "common/guardedcall.h"
#include "history/clippingitem.h"
#include "history/historyfiltermodel.h"
#include "history/historyitemmodel.h"
#include "hotkey/qhotkey.h"
#include "hotkey/qhotkeyprivatenull.h"
#include "history/itemrole.h"
#include "window/mainwindow.h"
#include "platform/keycodes.h"
#include "platform/nullplatformbackend.h"
#include "snippets/snippetmodel.h"
#include "common/utils.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QUuid>
#include <QtTest>

#include <memory>

// History window tests run headless with the null platform and hotkey back ends, a home and data
// folder of their own, no sync target, a light theme and a fixed font. The application object is
// the program's own, so its focus handling is part of what is tested.
template <typename TestClass>
int runMainWindowTest(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    isolateTestHome(home);
    qputenv("TMPDIR", (home.path() + "/tmp").toLocal8Bit());
    QDir().mkpath(home.path() + "/tmp");
    qputenv("KESTOVAN_DARK_MODE", "0");
    QCoreApplication::setOrganizationName("MorvaTest");
    QCoreApplication::setApplicationName("KestovanMainWindowTest");
    Application app(argc, argv);
    QApplication::setStyle("Fusion");
    QApplication::setFont(QFont("DejaVu Sans", 9));
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}

#define KESTOVAN_MAINWINDOW_TEST_MAIN(TestClass)                                                   \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        return runMainWindowTest<TestClass>(argc, argv);                                           \
    }

namespace MainWindowTest {

inline NullPlatformBackend *platform()
{
    return NullPlatformBackend::current();
}

inline QHotkeyPrivateNull *hotkeys()
{
    return QHotkeyPrivateNull::current();
}

// An empty settings store and data folder, as at a first start, without a sync target.
inline void resetStore()
{
    QSettings settings = Utils::settings();
    settings.clear();
    settings.setValue("SyncTarget", "None");
    settings.setValue("ReleaseNotesVersion", MainWindow::Version);
    settings.sync();
    QDir(Utils::dataPath()).removeRecursively();
    QDir().mkpath(Utils::dataPath());
}

inline void setSetting(const QString &key, const QVariant &value)
{
    QSettings settings = Utils::settings();
    settings.setValue(key, value);
}

inline QVariant setting(const QString &key)
{
    return Utils::settings().value(key);
}

template <typename T = QWidget>
T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

// The colour a widget paints at a point, as the user would see it.
inline QColor paintedColour(QWidget *widget, QPoint at)
{
    widget->ensurePolished();
    return widget->grab().toImage().pixelColor(at);
}

inline HistoryFilterModel *proxy()
{
    return HistoryItemModel::proxyInstance();
}

// Adds clippings a second apart, the last one given newest and all older than now, so that a
// clipping touched now goes on top.
inline void addClippings(const QStringList &texts)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        auto *item = new ClippingItem;
        item->setData(Utils::makeOneLiner(texts.at(i)), Qt::DisplayRole);
        item->setData(0, TypeRole);
        item->setData(texts.at(i), TextRole);
        item->setData(QString(), HtmlRole);
        item->setData(now.addSecs(-10 - (texts.size() - i)), TimeRole);
        item->setData(QUuid::createUuid(), IdRole);
        item->setData(false, RemovedRole);
        item->setData("Editor", ApplicationRole);
        if (!HistoryItemModel::instance()->addItem(item))
            delete item;
    }
}

inline QStringList visibleTexts()
{
    QStringList texts;
    for (int row = 0; row < proxy()->rowCount(); ++row)
        texts.append(proxy()->index(row, 0).data(TextRole).toString());
    return texts;
}

inline QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

inline void setClipboardText(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

// Control+V presses posted so far.
inline int pasteCount()
{
    int count = 0;
    for (const SyntheticKey &key : platform()->synthesized()) {
        if (key.kind == SyntheticKey::Key && key.code == MacKey::V && key.down && (key.flags & MacFlag::Control))
            ++count;
    }
    return count;
}

// The characters typed so far, in order.
inline QString typedText()
{
    QString text;
    for (const SyntheticKey &key : platform()->synthesized()) {
        if (key.kind == SyntheticKey::Character && key.down) {
            const char32_t codePoint = key.code;
            text += QString::fromUcs4(&codePoint, 1);
        }
    }
    return text;
}

inline void pressHotkey(QHotkey *hotkey)
{
    QVERIFY(hotkey);
    QVERIFY(hotkey->isRegistered());
    hotkeys()->simulatePress(hotkey->currentNativeShortcut());
}

// Fresh store, platform and hotkey records; a window built on them. A delayed paste of the previous
// test is let finish first, since only one may be pending.
inline std::unique_ptr<MainWindow> freshWindow()
{
    if (!QTest::qWaitFor([] { return !ClipboardTools::c_pasteOngoing; }, 2000))
        qWarning("A delayed paste did not finish");
    platform()->reset();
    platform()->setFrontApplication("Editor");
    auto window = std::make_unique<MainWindow>();
    // As the program does once its first window is up; the action titles come from a worker.
    window->startSnippetsAndActions();
    QThreadPool::globalInstance()->waitForDone();
    GuardedCall::deliverPosted();
    hotkeys()->resetCounts();
    return window;
}

} // namespace MainWindowTest
