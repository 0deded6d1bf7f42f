#include "snippettestsupport.h"

#include "history/historyitemmodel.h"
#include "snippets/inputmanager.h"
#include "platform/keycodes.h"
#include "platform/nullplatformbackend.h"
#include "platform/pastetiming.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>

using Input = KeyMonitor::Input;

class TestKeywordExpansion : public QObject
{
    Q_OBJECT

    QObject m_owner;
    const QString m_previous = "what the user had copied";
    // What the clipboard holds once every expansion of a test has been restored.
    QString m_finalClipboard;
    const QString m_brbText = "Be right back";

    static NullPlatformBackend *backend() { return NullPlatformBackend::current(); }
    static InputManager *expander() { return InputManager::instance(); }
    static QString clipboardText() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

    static void type(const QString &text)
    {
        for (const QChar c : text) {
            if (c == '\b')
                backend()->inject(Input::key("\b", MacKey::Delete));
            else if (c == '\r')
                backend()->inject(Input::key("\r", MacKey::Return));
            else
                backend()->inject(Input::key(QString(c), 0));
        }
    }

    static QList<SyntheticKey> tap(quint16 code, quint64 flags = 0)
    {
        return {SyntheticKey::key(code, true, flags), SyntheticKey::key(code, false, flags)};
    }

    static QList<SyntheticKey> deletes(int count)
    {
        QList<SyntheticKey> keys;
        for (int i = 0; i < count; ++i)
            keys += tap(MacKey::Delete);
        return keys;
    }

    // Typed as characters: keys the user typed meanwhile, posted after the snippet.
    static QList<SyntheticKey> typed(const QString &text)
    {
        QList<SyntheticKey> keys;
        for (const char32_t c : text.toUcs4())
            keys += {SyntheticKey::character(c, true), SyntheticKey::character(c, false)};
        return keys;
    }

    // The modifiers let go, then Control+V.
    static QList<SyntheticKey> paste()
    {
        return {SyntheticKey::key(MacKey::Command, false), SyntheticKey::key(MacKey::Shift, false),
            SyntheticKey::key(MacKey::Option, false), SyntheticKey::key(MacKey::Control, false),
            SyntheticKey::key(MacKey::Control, true), SyntheticKey::key(MacKey::V, true, MacFlag::Control),
            SyntheticKey::key(MacKey::V, false, MacFlag::Control), SyntheticKey::key(MacKey::Control, false)};
    }

    static bool pasted() { return backend()->synthesized().contains(SyntheticKey::key(MacKey::V, true, MacFlag::Control)); }

    static void setRequireSpace(bool on)
    {
        HistoryTest::setSetting("RequireSpace", on);
        expander()->updateApplications();
    }

    // A keyword typed after a break that must expand, into a text of its own: once that text was
    // pasted, every event typed before it has been handled, and an expansion under way holds the
    // keys typed after it, so whatever did not happen by then did not happen at all.
    void expectOnlySentinelExpansion(const QString &end = QString())
    {
        expander()->keywords.insert("::end", "sentinel");
        bool sentinelPasted = false;
        const QMetaObject::Connection watch = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
                                                      [&] { sentinelPasted = sentinelPasted || clipboardText() == "sentinel"; });
        type(" ::end" + end);
        QTRY_VERIFY(sentinelPasted);
        disconnect(watch);
        QCOMPARE(backend()->synthesized(), deletes(5 + int(end.size())) + paste());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(backend());
        HistoryTest::resetStore();
        HistoryItemModel::initialize(&m_owner, nullptr, nullptr);
    }

    void init()
    {
        HistoryTest::resetStore();
        backend()->reset();
        backend()->setFrontApplication("Editor");
        expander()->updateApplications();
        expander()->keywords = {{"::brb", m_brbText}};
        expander()->enableHooks();
        backend()->inject(Input::click(1));
        m_finalClipboard = m_previous;
        QGuiApplication::clipboard()->setText(m_previous);
        QTRY_COMPARE(HistoryItemModel::toList().value(0), m_previous);
        QTRY_VERIFY(expander()->typedWord().isEmpty());
    }

    void cleanup()
    {
        // A pending restore belongs to the test that started it.
        QTRY_COMPARE(clipboardText(), m_finalClipboard);
        setRequireSpace(false);
    }

    void testKeywordIsErasedPastedAndTheClipboardRestored()
    {
        struct Change
        {
            QString text;
            qsizetype keysBefore;
            qint64 at;
        };
        QList<Change> changes;
        QElapsedTimer clock;
        const QMetaObject::Connection watch = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [&] {
            changes.append({clipboardText(), backend()->synthesized().size(), clock.elapsed()});
        });

        clock.start();
        type("x ::brb");
        QTRY_COMPARE(changes.size(), 2);
        disconnect(watch);

        // Five Deletes, the snippet on the clipboard, Control+V, and nothing else.
        QCOMPARE(backend()->synthesized(), deletes(5) + paste());
        QCOMPARE(changes.at(0).text, m_brbText);
        QCOMPARE(changes.at(0).keysBefore, deletes(5).size());
        QCOMPARE(changes.at(1).text, m_previous);
        QCOMPARE(changes.at(1).keysBefore, (deletes(5) + paste()).size());
        QVERIFY(changes.at(1).at - changes.at(0).at >= 450);
    }

    void testExpansionAndRestoreAreNotRecorded()
    {
        QSignalSpy added(HistoryItemModel::instance(), &HistoryItemModel::clippingAdded);
        type(" ::brb");
        QTRY_VERIFY(pasted());
        QTRY_COMPARE(clipboardText(), m_previous);
        // A copy made afterwards is recorded: the listener has seen everything before it.
        m_finalClipboard = "copied afterwards";
        QGuiApplication::clipboard()->setText(m_finalClipboard);
        QTRY_COMPARE(HistoryItemModel::toList().value(0), QString("copied afterwards"));
        QCOMPARE(added.count(), 1);
        QCOMPARE(HistoryItemModel::toList(), (QStringList{"copied afterwards", m_previous}));
    }

    // The second one saved the first one's text, and both restores put back the wrong content.
    void testOverlappingExpansionsLeaveTheUsersClipboard()
    {
        expander()->keywords.insert("::joy", "Joy");
        QStringList texts;
        const QMetaObject::Connection watch = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
                                                      [&] { texts.append(clipboardText()); });
        type(" ::brb");
        QTRY_VERIFY(pasted());
        type(" ::joy");
        QTRY_COMPARE(texts.size(), 3);
        QVERIFY(!QTest::qWaitFor([&] { return texts.size() > 3; }, PasteTiming::ClipboardRestore + 200));
        disconnect(watch);
        QCOMPARE(texts, (QStringList{m_brbText, "Joy", m_previous}));
    }

    // Put back 500 ms after the paste, the content from before the expansion replaced the copy.
    void testCopyBetweenThePasteAndTheRestoreStays()
    {
        type(" ::brb");
        QTRY_VERIFY(pasted());
        m_finalClipboard = "copied right after the expansion";
        QGuiApplication::clipboard()->setText(m_finalClipboard);
        QVERIFY(!QTest::qWaitFor([] { return clipboardText() != "copied right after the expansion"; },
                                 PasteTiming::ClipboardRestore + 200));
        QTRY_COMPARE(HistoryItemModel::toList().value(0), m_finalClipboard);
    }

    // Typed fast, keys landed before the snippet or were erased in place of the keyword.
    void testKeysTypedDuringTheExpansionComeAfterTheSnippet_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("during");
        QTest::addColumn<bool>("expanded");
        QTest::newRow("while the keyboard is held") << "" << "z!" << true;
        QTest::newRow("through before it was held") << " z" << "" << true;
        QTest::newRow("both") << " z" << "y" << true;
        // What Return did cannot be taken back: the keyword stays as typed.
        QTest::newRow("Return through before it was held") << "\r" << "" << false;
    }

    void testKeysTypedDuringTheExpansionComeAfterTheSnippet()
    {
        QFETCH(QString, before);
        QFETCH(QString, during);
        QFETCH(bool, expanded);
        QMetaObject::Connection typing;
        typing = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [&] {
            disconnect(typing);
            type(during);
        });
        type(" ::brb" + before);
        if (!expanded) {
            expectOnlySentinelExpansion();
            return;
        }
        QTRY_COMPARE(backend()->synthesized(), deletes(5 + int(before.size())) + paste() + typed(before + during));
        QVERIFY(!backend()->keysHeld());
    }

    void testKeywordAfterALetterDoesNotExpand()
    {
        type("a::brb");
        expectOnlySentinelExpansion();
    }

    void testBackspaceCorrectsTheWord()
    {
        type("::brx\bb");
        QTRY_VERIFY(pasted());
        QCOMPARE(backend()->synthesized(), deletes(5) + paste());
    }

    void testBackspaceIsNoMatchOnlyTheNextCharacterIs()
    {
        setRequireSpace(true);
        type("::brbx\b");
        // A match would have emptied the word.
        QTRY_COMPARE(expander()->typedWord(), QString("::brb"));
        QVERIFY(backend()->synthesized().isEmpty());
        type(" ");
        QTRY_VERIFY(pasted());
        QCOMPARE(backend()->synthesized(), deletes(6) + paste());
    }

    void testClickInsideTheKeywordPreventsTheMatch()
    {
        type("::b");
        backend()->inject(Input::click(1));
        type("rb");
        backend()->inject(Input::key("v", MacKey::V, true));
        type("::b");
        backend()->inject(Input::key("v", MacKey::V, true));
        type("rb");
        expectOnlySentinelExpansion();
    }

    void testNoExpansionInExcludedApplications()
    {
        HistoryTest::setSetting("NoExpandApplications", QStringList{"Terminal"});
        expander()->updateApplications();
        for (const QString application : {"Terminal", "Kestovan", "Kestovan.exe"}) {
            backend()->inject(Input::click(1));
            QTRY_VERIFY(expander()->typedWord().isEmpty());
            backend()->setFrontApplication(application);
            type(" ::brb");
            // Left as typed: a match that went on would have emptied the word.
            QTRY_COMPARE(expander()->typedWord(), QString("::brb"));
        }
        backend()->setFrontApplication("Editor");
        expectOnlySentinelExpansion();
    }

    void testTypingDuringTheDelayCancelsTheExpansion()
    {
        HistoryTest::setSetting("DelayedApplications", QVariantMap{{"Slow", 300}});
        expander()->updateApplications();
        backend()->setFrontApplication("Slow");
        MessageLog log;
        type(" ::brb");
        type("s");
        QTRY_COMPARE(log.count(QtDebugMsg, "The text was not expanded because there were characters typed before the delay ended"), 1);
        QVERIFY(backend()->synthesized().isEmpty());
    }

    void testDelayedExpansionWaitsForTheDelay()
    {
        HistoryTest::setSetting("DelayedApplications", QVariantMap{{"Slow", 300}});
        expander()->updateApplications();
        backend()->setFrontApplication("Slow");
        QElapsedTimer clock;
        clock.start();
        type(" ::brb");
        QTRY_VERIFY(pasted());
        QVERIFY(clock.elapsed() >= 300);
        QCOMPARE(backend()->synthesized(), deletes(5) + paste());
    }

    void testRequireSpaceErasesTheSpaceToo()
    {
        setRequireSpace(true);
        type(" ::brb ");
        QTRY_VERIFY(pasted());
        QCOMPARE(backend()->synthesized(), deletes(6) + paste());
    }

    void testRequireSpaceReturnIsABreakNotASpace()
    {
        setRequireSpace(true);
        type(" ::brb\r");
        expectOnlySentinelExpansion(" ");
    }

    void testRequireSpaceSpaceEndsTheWord()
    {
        // Without that, the words before it would stay in front of the keyword.
        setRequireSpace(true);
        type("hello there ::brb ");
        QTRY_VERIFY(pasted());
        QCOMPARE(backend()->synthesized(), deletes(6) + paste());
    }

    void testEmptyKeywordNeverExpands()
    {
        setRequireSpace(true);
        expander()->keywords.insert(QString(), "pasted over a space");
        type("  a  ");
        expectOnlySentinelExpansion(" ");
    }

    void testPlaceholdersAreFilledBeforeTheKeywordIsErased()
    {
        // A failing action shows a box; it must come before the keys, not between them and the paste.
        const QString folder = Utils::dataPath() + "/actions";
        QDir().mkpath(folder);
        HistoryTest::writeFile(folder + "/fail.json", R"json({"title": "Fail", "script": "(c => { throw new Error('no'); })"})json");
        HistoryTest::setSetting("Actions", QVariantMap{{folder + "/fail.json", "Fail"}});
        expander()->keywords = {{"::brb", "[{Fail}] {CLIP}"}};

        MessageLog log;
        qsizetype keysAtWarning = -1;
        log.onMessageText = "Failed to run action 'Fail'";
        log.onMessage = [&] { keysAtWarning = backend()->synthesized().size(); };
        QSignalSpy changed(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        type(" ::brb");
        QTRY_VERIFY(pasted());
        QCOMPARE(keysAtWarning, 0);
        QCOMPARE(changed.count() >= 1, true);
        QCOMPARE(backend()->synthesized(), deletes(5) + paste());
        // The text pasted had its history placeholder filled and the failed one kept.
        QTRY_COMPARE(clipboardText(), m_previous);
    }

    void testCursorMarkerMovesTheCursorAfterThePaste()
    {
        expander()->keywords = {{"::brb", "word \u205E,"}};
        QSignalSpy changed(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        type(" ::brb");
        QTRY_COMPARE(backend()->synthesized(), deletes(5) + paste() + tap(MacKey::Left));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(clipboardText(), QString("word ,"));
    }

    void testCursorPositionFromMarkers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("shiftLeft");
        QTest::newRow("no marker") << "plain" << "plain" << -1 << -1;
        QTest::newRow("before the comma") << "word \u205E," << "word ," << 1 << 0;
        QTest::newRow("first word selected") << "\u205Efour\u205E four" << "four four" << 5 << 4;
        QTest::newRow("at the end") << "end\u205E" << "end" << 0 << 0;
        QTest::newRow("at the start") << "\u205Estart" << "start" << 5 << 0;
    }

    void testCursorPositionFromMarkers()
    {
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        QFETCH(int, left);
        QFETCH(int, shiftLeft);
        std::pair<int, int> position(-1, -1);
        QCOMPARE(InputManager::calculateCursorPos(text, position), stripped);
        QCOMPARE(position, std::make_pair(left, shiftLeft));
    }

    void testMoveCursorSelectsWithShift()
    {
        InputManager::moveCursor({2, 1});
        QCOMPARE(backend()->synthesized(), tap(MacKey::Left) + tap(MacKey::Left) + tap(MacKey::Left, MacFlag::Shift));
        backend()->clearSynthesized();
        InputManager::moveCursor({-1, -1});
        QVERIFY(backend()->synthesized().isEmpty());
    }

    void testMonitorIsBackAfterTheExpansion()
    {
        type(" ::brb");
        QTRY_VERIFY(pasted());
        QVERIFY(backend()->isKeyMonitorInstalled());
        backend()->clearSynthesized();
        QTRY_COMPARE(clipboardText(), m_previous);
        expectOnlySentinelExpansion();
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestKeywordExpansion)
#include "tst_keywordexpansion.moc"
