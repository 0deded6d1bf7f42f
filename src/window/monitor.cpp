#include "window/monitor.h"

#include "clipboard/clipboardlistener.h"
#include "ui_monitor.h"

#include "common/iconresources.h"
#include "window/monitorlist.h"
#include "common/theme.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QGuiApplication>
#include <QTimer>

namespace {
const QSize MonitorSize(400, 400);
const int RefreshInterval = 1000;

QString cssColour(COLOR colour)
{
    return "rgb(" + getColorString(colour) + ")";
}
} // namespace

Monitor::Monitor()
    : MovableAndResizable(nullptr)
    , ui(new Ui::Monitor)
    , m_timer(new QTimer(this))
{
    registerIconResources();
    setWindowFlags(Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_MacAlwaysShowToolWindow);

    ui->setupUi(this);
    ui->closeRight->hide();
    ui->pinLeft->hide();

    ui->title->setAlignment(Qt::AlignCenter);
    QFont titleFont = ui->title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    ui->title->setFont(titleFont);

    connect(ui->closeLeft, &QPushButton::clicked, this, &Monitor::closeWindow);
    connect(ui->pinRight, &QPushButton::clicked, this, &Monitor::pinWindow);

    // Margins and shadow: the central widget keeps room for the shadow of "widget".
    setShadowFrame(ui->centralWidget, ui->widget, compositingActive());
    ui->widget->setAutoFillBackground(true);

    const QSize stored = Utils::settings().value("MonitorWindowSize", MonitorSize).toSize();
    resize(stored.isValid() && !stored.isEmpty() ? stored : MonitorSize);

    updateTheme();

    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, &Monitor::changedSlot);
    connect(m_timer, &QTimer::timeout, this, &Monitor::check);
    m_timer->start(RefreshInterval);
}

Monitor::~Monitor()
{
    delete ui;
}

MonitorList *Monitor::list() const
{
    return ui->listWidget;
}

void Monitor::closeWindow()
{
    Utils::settings().setValue("MonitorWindowSize", QSize(geometry().width(), geometry().height()));
    hide();
}

void Monitor::pinWindow()
{
    updatePinIcon();
    // Changing the flags hides the window.
    setWindowFlag(Qt::WindowStaysOnTopHint, ui->pinRight->isChecked());
    show();
}

void Monitor::updatePinIcon()
{
    ui->pinRight->setIcon(Utils::svg2icon(
        ui->pinRight->isChecked() ? ":/icons/images/ic_pin-off.svg" : ":/icons/images/ic_pin.svg", false));
}

void Monitor::check()
{
    refresh(true);
}

void Monitor::changedSlot(QClipboard::Mode mode)
{
    // Only the clipboard is shown; on X11 every text selection changes the primary selection too,
    // which must not reset the list.
    Q_UNUSED(mode)
    refresh(true);
}

void Monitor::showEvent(QShowEvent *event)
{
    MovableAndResizable::showEvent(event);
    // A compositing manager may have started or stopped since the window was built.
    setComposited(compositingActive());
    refresh(false);
}

void Monitor::refresh(bool onlyWhenChanged)
{
    // An owner that does not answer would freeze the whole program on this read.
    if (!isVisible() || !ClipboardListener::clipboardAnswers())
        return;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (onlyWhenChanged && !ui->listWidget->differsFromShown(data))
        return;
    ui->listWidget->setMimeData(data);
}

void Monitor::updateTheme()
{
    ui->listWidget->setStyleSheet("QListWidget {background-color: " + cssColour(COLOR_BACKGROUND) + ";}");
    ui->title->setStyleSheet("color: " + cssColour(COLOR_TEXT) + ";");

    ui->closeLeft->setIcon(Utils::svg2icon(":/icons/images/ic_close.svg", false));
    ui->closeRight->setIcon(Utils::svg2icon(":/icons/images/ic_close.svg", false));
    ui->pinLeft->setIcon(Utils::svg2icon(":/icons/images/ic_pin.svg", false));
    // The pin keeps showing its state: a pinned window offers to unpin.
    updatePinIcon();

    const QString buttonStyle = "QPushButton { border: none; margin: 0px; padding: 0px; } "
                                "QPushButton:hover:!pressed { background-color: "
        + cssColour(COLOR_BORDER) + "; }";
    ui->closeLeft->setStyleSheet(buttonStyle);
    ui->closeRight->setStyleSheet(buttonStyle);
    ui->pinLeft->setStyleSheet(buttonStyle);
    ui->pinRight->setStyleSheet(buttonStyle);

    ui->headerWidget->setStyleSheet(
        "#headerWidget { background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, stop:0 "
        + cssColour(COLOR_GRADIENT_TOP) + ", stop:1 " + cssColour(COLOR_PANEL) + "); }");

    refresh(false);
}

void Monitor::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    MovableAndResizable::changeEvent(event);
}
