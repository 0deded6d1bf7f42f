#pragma once

#include "isolatedhome.h"

#include "history/clippingitem.h"
#include "history/historyfiltermodel.h"
#include "history/historyitemmodel.h"
#include "historytestsupport.h"
#include "common/iconresources.h"
#include "history/itemrole.h"
#include "snippets/snippetmodel.h"
#include "common/theme.h"
#include "common/utils.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

// View tests run with a home, settings and data folder of their own, a fixed time zone, a light
// appearance, the Fusion style and a fixed font, so rows have known sizes and colours.
#define KESTOVAN_VIEW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        if (!home.isValid())                                                                       \
            return 1;                                                                              \
        isolateTestHome(home);                                                                     \
        qputenv("TZ", "Europe/Helsinki");                                                          \
        qputenv("KESTOVAN_DARK_MODE", "0");                                                        \
        QCoreApplication::setOrganizationName("MorvaTest");                                        \
        QCoreApplication::setApplicationName("KestovanViewTest");                                  \
        QApplication app(argc, argv);                                                              \
        QApplication::setStyle("Fusion");                                                          \
        QApplication::setFont(QFont("DejaVu Sans", 9));                                            \
        registerIconResources();                                                                   \
        setTheme(THEME_LIGHT);                                                                     \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

namespace ViewTest {

// The process-wide history and snippet models, as the window has them, emptied for each test.
inline void initializeModels(QObject *owner, ISync *sync)
{
    HistoryTest::resetStore();
    HistoryTest::setSetting("KeepItems", "200");
    HistoryTest::setSetting("SnippetFilePath", Utils::dataPath() + "/Snippets.json");
    if (!HistoryItemModel::instance())
        HistoryItemModel::initialize(owner, sync, nullptr);
    if (!SnippetModel::instance())
        SnippetModel::initialize(owner, sync);
}

inline void clearModels()
{
    HistoryItemModel *history = HistoryItemModel::instance();
    history->removeRows(0, history->rowCount());
    SnippetModel *snippets = SnippetModel::instance();
    snippets->removeRows(0, snippets->rowCount());
    snippets->removedItems.clear();
}

// Appends clippings in the given order (the history's own order is newest first).
inline void appendTexts(const QStringList &texts)
{
    QDateTime time = QDateTime::currentDateTime().addSecs(-60);
    for (const QString &text : texts) {
        HistoryItemModel::instance()->appendRow(HistoryTest::textItem(text, time));
        time = time.addSecs(-1);
    }
}

inline QString briefAt(const QAbstractItemModel *model, int row)
{
    return model->index(row, 0).data(Qt::DisplayRole).toString();
}

inline QStringList rowsOf(const QModelIndexList &indexes)
{
    QStringList rows;
    for (const QModelIndex &index : indexes)
        rows.append(QString::number(index.row()));
    return rows;
}

// A key event with an explicit auto-repeat flag, which QTest cannot send.
inline void sendKey(QWidget *widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(widget, &event);
}

inline void pressAndRelease(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    sendKey(widget, QEvent::KeyPress, key, modifiers);
    sendKey(widget, QEvent::KeyRelease, key, modifiers);
}

// A mouse click on a row point with the pointer really there: the delegates read QCursor::pos().
inline void clickAt(QAbstractItemView *view, QPoint point, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QCursor::setPos(view->viewport()->mapToGlobal(point));
    QTest::mouseClick(view->viewport(), button, modifiers, point);
}

// "text" per entry, "--" for a separator, "text >" for a submenu.
inline QStringList entryTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            texts.append("--");
        else if (action->menu())
            texts.append(action->text() + " >");
        else
            texts.append(action->text());
    }
    return texts;
}

inline QMenu *submenu(const QMenu *menu, const QString &title)
{
    for (const QAction *action : menu->actions()) {
        if (action->menu() && action->text() == title)
            return action->menu();
    }
    return nullptr;
}

inline QAction *findEntry(const QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->menu()) {
            if (QAction *inner = findEntry(action->menu(), text))
                return inner;
        } else if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

// Chooses an entry as the menu does: the menu closes, then the entry is triggered.
inline bool chooseEntry(QMenu *menu, const QString &text)
{
    QAction *action = findEntry(menu, text);
    menu->hide();
    if (!action)
        return false;
    action->trigger();
    return true;
}

// Answers the next modal window (a message box or dialog) from inside its own event loop.
class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(std::function<void(QWidget *)> answer)
        : m_answer(std::move(answer))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible()) {
                m_timer.stop();
                ++m_seen;
                m_answer(modal);
            }
        });
        m_timer.start(5);
    }

    int seen() const { return m_seen; }

private:
    std::function<void(QWidget *)> m_answer;
    QTimer m_timer;
    int m_seen = 0;
};

// Closes every message box that opens and keeps its title and text.
class MessageBoxRecorder : public QObject
{
public:
    MessageBoxRecorder()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box->isVisible()) {
                titles.append(box->windowTitle());
                texts.append(box->text());
                icons.append(box->icon());
                box->done(0);
            }
        });
        m_timer.start(5);
    }

    QStringList titles;
    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    QTimer m_timer;
};

// The colours of an image, counted.
inline int countColour(const QImage &image, const QRect &area, const QColor &colour, int tolerance = 8)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - colour.red()) <= tolerance && qAbs(pixel.green() - colour.green()) <= tolerance
                && qAbs(pixel.blue() - colour.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace ViewTest
