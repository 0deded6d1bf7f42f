// MainWindow: style sheets, icons and carousel titles from the current theme and snippet groups.
#include "window/mainwindow.h"
#include "ui_mainwindow.h"

#include "snippets/snippetmodel.h"
#include "common/theme.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

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

// One sheet for the whole form: every sheet set on a widget restyles all of its children again,
// and one per widget made a good part of the start.
QString formStyle()
{
    const QString background = "background-color: " + rgb(COLOR_BACKGROUND) + ";";
    const QStringList buttons{"closeLeft", "closeRight", "pinLeft", "pinRight", "settings", "search",
                              "debug",     "clear",      "warning", "releaseNotes"};
    const auto eachButton = [&buttons](const QString &state) {
        QStringList selectors;
        for (const QString &button : buttons)
            selectors.append("QPushButton#" + button + state);
        return selectors.join(", ");
    };
    return menuStyle() + " #historyView, #snippetsSubView, #searchView { " + background + " }"
        + " #status { background-color: " + rgb(COLOR_PANEL) + "; border-top : 1px solid " + rgb(COLOR_BORDER) + "; }"
        + " #statusText { color: " + rgb(COLOR_TEXT_SECONDARY) + "; }"
        + " #title { color: " + rgb(COLOR_TEXT) + "; }"
        + " #version { color: " + rgb(COLOR_TEXT_TERTIARY) + "; }"
        + " " + eachButton("") + " { border: none; margin: 0px; padding: 0px; }"
        + " " + eachButton(":hover:!pressed") + " { background-color: " + rgb(COLOR_BORDER) + "; }"
        + " #headerWidget { " + gradient(COLOR_GRADIENT_TOP, COLOR_PANEL) + " }"
        + " #searchArea { " + gradient(COLOR_PANEL, COLOR_GRADIENT_BOTTOM) + " border-bottom : 1px solid "
        + rgb(COLOR_BORDER) + "; }"
        + " #searchEdit { background-color: " + rgb(COLOR_BACKGROUND) + "; color: " + rgb(COLOR_TEXT)
        + "; border: 1px solid " + rgb(COLOR_BORDER) + "; }";
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
    ui->centralWidget->setStyleSheet(formStyle());

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
