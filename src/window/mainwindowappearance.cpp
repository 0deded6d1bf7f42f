// MainWindow: style sheets, icons and carousel titles from the current theme and snippet groups.
#include "window/mainwindow.h"
#include "ui_mainwindow.h"

#include "snippets/snippetmodel.h"
#include "common/theme.h"
#include "common/utils.h"

namespace {

QString rgb(COLOR colour)
{
    return "rgb(" + getColorString(colour) + ")";
}

QString gradient(COLOR top, COLOR bottom)
{
    return "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, stop:0 " + rgb(top)
        + ", stop:1 " + rgb(bottom) + ");";
}

// The menus of the window (a row's menu, the carousel's) in the window's palette: their icons are
// drawn for that palette, white ones in the dark theme. Set below the window, so the settings dialog,
// also a child of the window, keeps the desktop's look.
QString menuStyle()
{
    return "QMenu { background-color: " + rgb(COLOR_BACKGROUND) + "; color: " + rgb(COLOR_TEXT)
        + "; border: 1px solid " + rgb(COLOR_BORDER) + "; padding: 4px 0px; } "
          "QMenu::item { padding: 4px 24px 4px 8px; background-color: transparent; } "
          "QMenu::item:selected { background-color: "
        + rgb(COLOR_SELECTED) + "; } QMenu::item:disabled { color: " + rgb(COLOR_TEXT_TERTIARY)
        + "; } QMenu::separator { height: 1px; background-color: " + rgb(COLOR_BORDER) + "; margin: 4px 8px; }";
}

} // namespace

// The notice buttons are hidden at start and most sessions never show them: their pictures are
// read when first shown, not with the form.
void MainWindow::showNotice(QPushButton *button, const QString &iconPath, bool visible)
{
    if (visible && button->icon().isNull())
        button->setIcon(QIcon(iconPath));
    button->setVisible(visible);
}

void MainWindow::updateTheme()
{
    const QString background = "background-color: " + rgb(COLOR_BACKGROUND) + ";";
    ui->centralWidget->setStyleSheet(menuStyle());
    ui->historyView->setStyleSheet("#historyView {" + background + "}");
    ui->snippetsSubView->setStyleSheet("#snippetsSubView {" + background + "}");
    ui->searchView->setStyleSheet("#searchView {" + background + "}");

    ui->status->setStyleSheet("#status { background-color: " + rgb(COLOR_PANEL) + "; border-top : 1px solid "
                              + rgb(COLOR_BORDER) + "; }");
    ui->statusText->setStyleSheet("color: " + rgb(COLOR_TEXT_SECONDARY) + ";");
    ui->title->setStyleSheet("color: " + rgb(COLOR_TEXT) + ";");
    ui->version->setStyleSheet("color: " + rgb(COLOR_TEXT_TERTIARY) + ";");

    ui->closeLeft->setIcon(Utils::svg2icon(":/icons/images/ic_close.svg", false));
    ui->closeRight->setIcon(Utils::svg2icon(":/icons/images/ic_close.svg", false));
    ui->pinLeft->setIcon(Utils::svg2icon(":/icons/images/ic_pin.svg", false));
    // A pinned window keeps the symbol that unpins it.
    ui->pinRight->setIcon(Utils::svg2icon(
        ui->pinRight->isChecked() ? ":/icons/images/ic_pin-off.svg" : ":/icons/images/ic_pin.svg", false));
    ui->settings->setIcon(Utils::svg2icon(":/icons/images/ic_settings.svg", false));
    ui->search->setIcon(Utils::svg2icon(":/icons/images/ic_search.svg", false));
    ui->debug->setIcon(Utils::svg2icon(":/icons/images/ic_bug.svg", false));
    ui->clear->setIcon(Utils::svg2icon(":/icons/images/ic_remove.svg", false));

    const QString buttonStyle = "QPushButton { border: none; margin: 0px; padding: 0px; } "
                                "QPushButton:hover:!pressed { background-color: "
        + rgb(COLOR_BORDER) + "; }";
    for (QPushButton *button : {ui->closeLeft, ui->closeRight, ui->pinLeft, ui->pinRight, ui->settings, ui->search,
                                ui->debug, ui->clear, ui->warning, ui->releaseNotes})
        button->setStyleSheet(buttonStyle);

    ui->headerWidget->setStyleSheet("#headerWidget { " + gradient(COLOR_GRADIENT_TOP, COLOR_PANEL) + " }");
    ui->searchArea->setStyleSheet("#searchArea { " + gradient(COLOR_PANEL, COLOR_GRADIENT_BOTTOM)
                                  + " border-bottom : 1px solid " + rgb(COLOR_BORDER) + "; }");
    ui->searchEdit->setStyleSheet("#searchEdit { background-color: " + rgb(COLOR_BACKGROUND) + "; color: "
                                  + rgb(COLOR_TEXT) + "; border: 1px solid " + rgb(COLOR_BORDER) + "; }");

    ui->header->update();
    ui->statusProgress->init(false);
}

void MainWindow::updateHeaderButtons()
{
    QStringList titles{tr("History")};
    const SnippetModel *snippets = SnippetModel::instance();
    for (int row = 0; snippets && row < snippets->rowCount(); ++row)
        titles.append(snippets->index(row, 0).data(Qt::DisplayRole).toString());
    ui->header->setTitles(titles);
}
