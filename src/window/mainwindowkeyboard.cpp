// MainWindow: showing, hiding, pinning, pages and the window's keys.
#include "window/mainwindow.h"
#include "ui_mainwindow.h"

#include "history/historyitemmodel.h"
#include "hotkey/qhotkey.h"
#include "history/itemrole.h"
#include "platform/platform.h"
#include "window/keyreleaseguard.h"
#include "window/searchmodel.h"
#include "snippets/snippetmodel.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QSettings>

namespace {
// The search page opens this long after the last letter typed on the history list.
const int SearchSwitchDelay = 250;

// How far inside the list the pointer lands when the window opens at it: past the rows' icon box
// (a click there pins the row) and the menu button at their right end, and on the first row.
const QMargins PointerInsideList(48, 16, 48, 16);

// A hidden window's children get their places from the layouts only when it is shown.
void layOutHidden(QWidget *widget)
{
    if (QLayout *layout = widget->layout())
        layout->setGeometry(widget->contentsRect());
    for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && !child->isHidden())
            layOutHidden(child);
    }
}

// CurrentChildRole holds the remembered snippet's index; only its row is read, never its model.
int rememberedRow(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QModelIndex>())
        return value.value<QModelIndex>().row();
    return -1;
}
} // namespace

void MainWindow::showHistory()
{
    openHistory(Placement::PointerOnList);
}

void MainWindow::showHistoryFromTray()
{
    openHistory(Placement::BesidePointer);
}

void MainWindow::openHistory(Placement placement)
{
    showNotice(ui->warning, ":/icons/images/ic_warning.svg", !checkAccessibility(false));

    if (pinRight->isChecked() && !isVisible()) {
        pinRight->setChecked(false);
        pinHistory();
    }

    if (isVisible()) {
        ui->header->next();
    } else {
        const QSettings settings = Utils::settings();
        if (settings.value("OpenOnMouse", true).toBool())
            placeAtPointer(QCursor::pos(), placement);
        show();
        m_placedAt = pos();
        m_awaitingActivation = true;
        if (!settings.value("KeepTab", false).toBool()) {
            ui->header->select(0);
            ui->stackedWidgetTop->setCurrentIndex(0);
            ui->historyView->setFocus(Qt::OtherFocusReason);
            applyInitialSelection();
        }
    }

    activateWindow();
    activateApp();
}

// Next to the pointer, but with the pointer on the list: the click the user was about to make must
// not land on a button of the title bar (a Shift+click on close quits) or on an edge that resizes.
void MainWindow::placeAtPointer(QPoint pointer, Placement placement)
{
    Utils::moveWindowInsideScreen(this, pointer);
    const QScreen *screen = QGuiApplication::screenAt(pointer);
    if (placement == Placement::BesidePointer || !screen)
        return;
    layOutHidden(this);
    const QRect list(ui->stackedWidget->mapTo(this, QPoint()), ui->stackedWidget->size());
    const int margin = ui->centralWidget->layout()->contentsMargins().left();
    move(pointerOnList(pointer, pos(), list - PointerInsideList, size(), screen->availableGeometry(), margin));
}

QPoint MainWindow::pointerOnList(QPoint pointer, QPoint placed, QRect list, QSize size, QRect available, int margin)
{
    const QPoint local = pointer - placed;
    const auto shift = [](int at, int first, int last) { return at < first ? at - first : at > last ? at - last : 0; };
    const QPoint moved = placed + QPoint(shift(local.x(), list.left(), list.right()), shift(local.y(), list.top(), list.bottom()));
    return restoredPosition(moved, size, available, margin);
}

void MainWindow::applyInitialSelection()
{
    const int selection = Utils::settings().value("InitialSelection", 1).toInt();
    HistoryItemView *view = ui->historyView;
    if (selection == 2 && view->currentIndex().isValid())
        return;

    QAbstractItemModel *model = view->model();
    const int rows = model->rowCount();
    int row = 0;
    while (row < rows && model->index(row, 0).data(Qt::CheckStateRole).toBool())
        ++row;
    view->scrollTo(model->index(row, 0), QAbstractItemView::EnsureVisible);
    // A row beyond the last leaves no current row.
    view->setCurrentIndex(model->index(selection == 1 ? row + 1 : row, 0));
}

void MainWindow::hideHistory()
{
    selectionUpHotkey->setRegistered(false);
    selectionDownHotkey->setRegistered(false);

    QSettings settings = Utils::settings();
    settings.setValue("WindowSize", size());
    settings.setValue("WindowPos", m_placedAt);

    m_awaitingActivation = false;
    hide();
    keepPlace();
    ui->searchEdit->clear();
    if (ui->stackedWidgetTop->currentIndex() == 1)
        ui->stackedWidgetTop->setCurrentIndex(0);
}

void MainWindow::toggleHistory()
{
    if (isVisible())
        hideHistory();
    else
        showHistoryFromTray();
}

void MainWindow::closeWindow()
{
    hideHistory();
    if (heldModifiers() & Qt::ShiftModifier)
        QCoreApplication::quit();
}

void MainWindow::pinHistory()
{
    const bool pinned = pinRight->isChecked();
    pinRight->setIcon(Utils::svg2icon(pinned ? ":/icons/images/ic_pin-off.svg" : ":/icons/images/ic_pin.svg", false));
    selectionUpHotkey->setRegistered(pinned);
    selectionDownHotkey->setRegistered(pinned);
}

void MainWindow::keyReleaseEvent(QKeyEvent *event)
{
    // X11 repeats a held key as release and press pairs; one physical press is one action.
    if (event->isAutoRepeat())
        return;

    const int key = event->key();
    const int top = ui->stackedWidgetTop->currentIndex();
    const int inner = ui->stackedWidget->currentIndex();
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
    // Digits pick tabs; once a search is being typed they belong to it like any other character.
    const QString typed = digit && !searchTimer->isActive() ? QString() : HistoryItemView::searchText(event);
    // Ctrl may be let go before F, or before F's release is handled: the press tells.
    const Qt::KeyboardModifiers modifiers = keyReleaseGuard->pressModifiers(key);
    const bool commandHeld = modifiers.testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);

    if (key == Qt::Key_Escape && top == 1) {
        ui->stackedWidgetTop->setCurrentIndex(0);
        ui->searchEdit->clear();
    } else if (key == Qt::Key_Escape && top == 0) {
        hideHistory();
    } else if (key == Qt::Key_section) {
        pinRight->toggle();
        pinHistory();
    } else if (top == 1) {
        // The search page keeps its keys to itself.
    } else if (inner == 0 && !typed.isEmpty() && !commandHeld) {
        appendToSearch(typed);
    } else if (key == Qt::Key_Tab) {
        ui->header->next();
    } else if (key == Qt::Key_Backtab && top == 0) {
        ui->header->prev();
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int tab = key - Qt::Key_0;
        if (tab <= SnippetModel::instance()->rowCount()) {
            if (currentView() == tab)
                ui->header->showMenu(tab);
            else
                ui->header->select(tab);
        }
    } else if (inner == 0 && key == Qt::Key_F && (modifiers & Qt::ControlModifier)) {
        ui->stackedWidgetTop->setCurrentIndex(1);
        ui->searchEdit->setFocus(Qt::OtherFocusReason);
    } else if (inner == 1 && letter && ui->snippetsSubView->hasFocus()) {
        SnippetModel *snippets = SnippetModel::instance();
        const QModelIndex group = snippets->index(currentView() - 1, 0);
        const QModelIndex snippet = snippets->snippetForShortcut(group, QChar(key));
        if (snippet.isValid()) {
            ui->snippetsSubView->setCurrentIndex(snippet);
            snippetActivated(snippet);
        }
    }
    // Handled or not, the release stays here.
    event->accept();
}

void MainWindow::appendToSearch(const QString &text)
{
    ui->searchEdit->setText(ui->searchEdit->text() + text);
    searchTimer->start(SearchSwitchDelay);
}

void MainWindow::activateSearchResult()
{
    // Typed a moment ago, the search may not have been run yet.
    searchModel->updateIfPending();
    QModelIndex result = ui->searchView->currentIndex();
    if (!result.isValid())
        result = searchModel->index(0, 0);
    if (result.isValid())
        searchResultActivated(result);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // Characters composed by an input method, as Chinese is typed, search like typed letters.
    if (watched == ui->historyView && type == QEvent::InputMethod && ui->stackedWidgetTop->currentIndex() == 0
        && ui->stackedWidget->currentIndex() == 0) {
        const QString text = static_cast<QInputMethodEvent *>(event)->commitString();
        if (!text.trimmed().isEmpty())
            appendToSearch(text);
        return true;
    }
    if (watched != ui->historyView || !searchTimer->isActive() || (type != QEvent::KeyPress && type != QEvent::KeyRelease))
        return MovableAndResizable::eventFilter(watched, event);

    // Typing goes on: the search waits until its release, which would otherwise reach the field.
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    if (type == QEvent::KeyPress)
        searchTimer->start(SearchSwitchDelay);

    // Letters are still on their way to the search: a blank or Return belongs to it and pastes nothing.
    const int key = keyEvent->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return)
        return MovableAndResizable::eventFilter(watched, event);
    if (type == QEvent::KeyRelease && !keyEvent->isAutoRepeat()) {
        if (key == Qt::Key_Space) {
            ui->searchEdit->setText(ui->searchEdit->text() + QLatin1Char(' '));
            searchTimer->start(SearchSwitchDelay);
        } else {
            showSearchPageAfterTyping();
        }
    }
    return true;
}

void MainWindow::showSearchPageAfterTyping()
{
    searchTimer->stop();
    ui->stackedWidgetTop->setCurrentIndex(1);
    ui->searchEdit->setFocus(Qt::OtherFocusReason);
    // Like the shown windows: from now on the keys go to the field, not to the list.
    qDebug().noquote() << "Shown search page after typing";
}

void MainWindow::toggleSearchPage()
{
    ui->stackedWidgetTop->setCurrentIndex((ui->stackedWidgetTop->currentIndex() + 1) % 2);
    ui->searchEdit->clear();
    ui->searchEdit->setFocus(Qt::OtherFocusReason);
}

void MainWindow::leaveSearchPage()
{
    ui->stackedWidgetTop->setCurrentIndex(0);
    ui->searchEdit->clear();
}

void MainWindow::focusSearchResults()
{
    ui->searchView->setFocus(Qt::OtherFocusReason);
    ui->searchView->setCurrentIndex(searchModel->index(0, 0));
}

void MainWindow::showView(int index)
{
    ui->stackedWidget->setCurrentIndex(index != 0 ? 1 : 0);
    if (index <= 0)
        return;
    SnippetModel *snippets = SnippetModel::instance();
    const QModelIndex group = snippets->index(index - 1, 0);
    ui->snippetsSubView->setRootIndex(group);
    int row = rememberedRow(group.data(CurrentChildRole));
    if (row < 1)
        row = 0;
    ui->snippetsSubView->setCurrentIndex(snippets->index(row, 0, group));
}

void MainWindow::rememberSnippet(const QModelIndex &snippet)
{
    SnippetModel *snippets = SnippetModel::instance();
    const QModelIndex group = snippets->index(currentView() - 1, 0);
    if (group.isValid())
        snippets->setData(group, QVariant::fromValue(snippet), CurrentChildRole);
}

void MainWindow::snippetsLoaded()
{
    SnippetModel *snippets = SnippetModel::instance();
    int tab = currentView();
    QModelIndex group = snippets->index(tab - 1, 0);
    if (!group.isValid()) {
        group = snippets->index(0, 0);
        tab = tab != 0 ? 1 : 0;
    }
    ui->snippetsSubView->setRootIndex(group);
    ui->snippetsSubView->setCurrentIndex(snippets->index(0, 0, group));
    updateHeaderButtons();
    ui->header->select(tab);
}

void MainWindow::keepPlace()
{
    // Shown again, the window would go where the toolkit believes it is.
    if (!isVisible() && pos() != m_placedAt)
        move(m_placedAt);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    const bool dragged = moving || resizing;
    MovableAndResizable::mouseReleaseEvent(event);
    if (dragged)
        m_placedAt = pos();
}

bool MainWindow::awaitingActivation() const
{
    return m_awaitingActivation;
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_awaitingActivation = false;
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setTitleTexts();
        updateHeaderButtons();
    }
    MovableAndResizable::changeEvent(event);
}
