// Stands in for "another application" in the X11 tests: a window with a line edit that reports on
// stdout what it receives, one line each:
//   READY:<window id>       the window is shown
//   TEXT:<text>             the line edit's text changed
//   KEY:<key sequence>      a key press reached the line edit, with its modifiers ("Ctrl+V")
//   ACTIVE:1 / ACTIVE:0     the window gained or lost the focus
//   CLEARED                 the line edit was emptied on request
// Its WM_CLASS class is "KestovanProbe" (--class <name> to change it) and its icon a red square
// in 32 x 32 and 128 x 128. The line "clear" on stdin empties the line edit.

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

void report(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QPixmap square(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(208, 32, 32));
    return pixmap;
}

class KeyReporter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const QKeyCombination combination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
            report(QStringLiteral("KEY:") + QKeySequence(combination).toString(QKeySequence::PortableText));
        } else if (event->type() == QEvent::WindowActivate) {
            report(QStringLiteral("ACTIVE:1"));
        } else if (event->type() == QEvent::WindowDeactivate) {
            report(QStringLiteral("ACTIVE:0"));
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QString className = QStringLiteral("KestovanProbe");
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--class") == 0)
            className = QString::fromLocal8Bit(argv[i + 1]);
    }
    QApplication app(argc, argv);
    // Qt takes the WM_CLASS class from the application name.
    QApplication::setApplicationName(className);

    QIcon icon;
    icon.addPixmap(square(32));
    icon.addPixmap(square(128));
    QApplication::setWindowIcon(icon);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Kestovan Probe"));
    window.resize(420, 80);
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new QLineEdit(&window);
    // A context menu would grab the keyboard from every later test step.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(edit);
    KeyReporter reporter;
    edit->installEventFilter(&reporter);
    window.installEventFilter(&reporter);
    QObject::connect(edit, &QLineEdit::textChanged, [](const QString &text) { report(QStringLiteral("TEXT:") + text); });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t length = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (length <= 0) {
            input.setEnabled(false);
            return;
        }
        if (QByteArray(buffer, int(length)).contains("clear")) {
            edit->clear();
            report(QStringLiteral("CLEARED"));
        }
    });

    window.show();
    edit->setFocus();
    QTimer::singleShot(0, &window, [&] { report(QStringLiteral("READY:") + QString::number(window.winId())); });
    return app.exec();
}
