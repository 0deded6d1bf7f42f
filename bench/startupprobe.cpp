// The driver of bench/startup.sh.
//   startupprobe generate CLIPPINGS IMAGES [REMOVALS]
//       writes a history of CLIPPINGS clippings, IMAGES of them images and REMOVALS of them removed
//       since (see HistoryGenerator::Options), and the settings a start
//       needs (room for them all, no first-start window), into the data and settings folders of
//       the environment's HOME / XDG folders.
//   startupprobe measure RUNS PROGRAM [ARGUMENTS...]
//       starts PROGRAM RUNS times on $DISPLAY (a wrapper such as perf may start it); for each start: the time from the start until the
//       history hotkey maps the history window, then the time from one hotkey press to the window
//       mapped. Prints "start MS MS ..." and "hotkey MS MS ...".
//   startupprobe memory PAGES PROGRAM [ARGUMENTS...]
//       starts PROGRAM once, opens its window, presses Page Down PAGES times; prints "memory MB MB",
//       the resident size with the window open and after the list was paged through.
//
// Times are X server times: the probe reads the server's clock (a property change on a window of
// its own) before it starts the program or presses the hotkey, and the window counts as mapped
// when the window manager adds it to _NET_CLIENT_LIST, whose change carries the server's time.
// The hotkey is pressed once the program holds its grab: until then the press reaches the probe's
// own focused window, which the probe sees.
#include "historygenerator.h"

#include "common/utils.h"
#include "history/historyitemmodel.h"
#include "settings/settingsdialog.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QSettings>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// ---- generate ----

int generate(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setOrganizationName("Morva");
    QApplication::setOrganizationDomain("org.morva");
    QApplication::setApplicationName("Kestovan");
    QApplication app(argc, argv);
    HistoryGenerator::Options options;
    options.clippings = QByteArray(argv[2]).toInt();
    options.images = QByteArray(argv[3]).toInt();
    options.removals = argc > 4 ? QByteArray(argv[4]).toInt() : 0;

    SettingsDialog::updateDefaultSettings();
    {
        QSettings settings = Utils::settings();
        settings.setValue("KeepItems", QString::number(options.clippings + 1));
        settings.setValue("IncludeImages", true);
        settings.setValue("ReleaseNotesVersion", MainWindow::Version);
    }

    // Texts and images spread evenly, from a few dozen applications, as a user's history is.
    const QString path = HistoryItemModel::filePath();
    const int written = HistoryGenerator::write(path, options);
    if (written < 0) {
        std::fprintf(stderr, "startupprobe: the history could not be written\n");
        return 1;
    }
    const int removed = std::clamp(options.removals, 0, options.clippings);
    std::printf("%d clippings, %d images, %d removed in %s\n", written, std::min(options.clippings - removed, options.images),
                removed, qPrintable(path));
    return 0;
}

// ---- measure ----

struct X
{
    Display *display = nullptr;
    Window root = 0;
    Window own = 0;
    Atom clientList = 0;
    Atom clock = 0;
    KeyCode control = 0;
    KeyCode shift = 0;
    KeyCode v = 0;
    KeyCode escape = 0;
};

// The server's current time.
Time serverTime(X &x)
{
    XChangeProperty(x.display, x.own, x.clock, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(x.display, x.own, PropertyChangeMask, &event);
    return event.xproperty.time;
}

bool isProgramWindow(X &x, Window window)
{
    XClassHint hint{};
    if (!XGetClassHint(x.display, window, &hint))
        return false;
    const bool ours = hint.res_name && std::strcmp(hint.res_name, "kestovan") == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return ours;
}

// Whether the window manager manages a window of the program.
bool listHolds(X &x)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    bool found = false;
    if (XGetWindowProperty(x.display, x.root, x.clientList, 0, 1024, False, XA_WINDOW, &type, &format, &count,
            &remaining, &data) == Success && data && format == 32) {
        const auto *windows = reinterpret_cast<const Window *>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = isProgramWindow(x, windows[i]);
    }
    if (data)
        XFree(data);
    return found;
}

// Waits until the program's window is (or is no longer) managed; the server time of that change, or 0.
Time waitForList(X &x, pid_t pid, bool present, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(x.display)) {
            XEvent event;
            XNextEvent(x.display, &event);
            if (event.type == PropertyNotify && event.xproperty.window == x.root && event.xproperty.atom == x.clientList
                && listHolds(x) == present)
                return event.xproperty.time;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "startupprobe: the program exited\n");
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::fprintf(stderr, "startupprobe: the window was not %s within %d ms\n", present ? "mapped" : "unmapped", timeoutMs);
    return 0;
}

void tap(X &x, std::initializer_list<KeyCode> keys)
{
    for (KeyCode key : keys)
        XTestFakeKeyEvent(x.display, key, True, CurrentTime);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        XTestFakeKeyEvent(x.display, *it, False, CurrentTime);
    XSync(x.display, False);
}

// Presses the hotkey until the program takes it; false when it never did.
bool pressHotkeyOnceTaken(X &x, pid_t pid, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        XSetInputFocus(x.display, x.own, RevertToPointerRoot, CurrentTime);
        tap(x, {x.control, x.shift, x.v});
        bool reachedUs = false;
        XEvent event;
        while (XCheckTypedWindowEvent(x.display, x.own, KeyPress, &event))
            reachedUs = reachedUs || event.xkey.keycode == x.v;
        while (XCheckTypedWindowEvent(x.display, x.own, KeyRelease, &event)) {
        }
        if (!reachedUs)
            return true;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool openDisplay(X &x)
{
    x.display = XOpenDisplay(nullptr);
    if (!x.display) {
        std::fprintf(stderr, "startupprobe: no display\n");
        return false;
    }
    x.root = DefaultRootWindow(x.display);
    x.clientList = XInternAtom(x.display, "_NET_CLIENT_LIST", False);
    x.clock = XInternAtom(x.display, "STARTUPPROBE_CLOCK", False);
    x.control = XKeysymToKeycode(x.display, XK_Control_L);
    x.shift = XKeysymToKeycode(x.display, XK_Shift_L);
    x.v = XKeysymToKeycode(x.display, XK_v);
    x.escape = XKeysymToKeycode(x.display, XK_Escape);
    XSetWindowAttributes attributes;
    attributes.override_redirect = True;
    attributes.event_mask = PropertyChangeMask | KeyPressMask | KeyReleaseMask;
    x.own = XCreateWindow(x.display, x.root, 0, 0, 1, 1, 0, CopyFromParent, InputOutput, CopyFromParent,
        CWOverrideRedirect | CWEventMask, &attributes);
    XMapWindow(x.display, x.own);
    XSelectInput(x.display, x.root, PropertyChangeMask);
    XSync(x.display, False);
    return true;
}

// Spawned, not forked: a fork copies the probe's own page tables (Qt and the program's core are
// linked in), which took several milliseconds here and counted as the program's start.
pid_t startProgram(char **command)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The program's log would mix with the figures.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, command[0], &actions, nullptr, command, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "startupprobe: cannot start %s: %s\n", command[0], std::strerror(error));
        return -1;
    }
    return pid;
}

// The resident size of a process, in MB.
double residentMegabytes(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE *status = std::fopen(path.c_str(), "r");
    if (!status)
        return -1;
    char line[256];
    double megabytes = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            megabytes = std::atof(line + 6) / 1024.0;
    }
    std::fclose(status);
    return megabytes;
}

int measure(char *argv[])
{
    const int runs = std::max(1, std::atoi(argv[2]));
    char **command = argv + 3;
    X x;
    if (!openDisplay(x))
        return 1;

    std::vector<long> starts;
    std::vector<long> hotkeys;
    for (int run = 0; run < runs; ++run) {
        const Time begin = serverTime(x);
        const pid_t pid = startProgram(command);
        if (pid < 0)
            return 1;
        if (!pressHotkeyOnceTaken(x, pid, 30000)) {
            std::fprintf(stderr, "startupprobe: the program never took the hotkey\n");
            stop(pid);
            return 1;
        }
        const Time shown = waitForList(x, pid, true, 30000);
        if (!shown) {
            stop(pid);
            return 1;
        }
        starts.push_back(long(shown - begin));

        // Idle, then one press of the hotkey on a running program; Escape hides the window again.
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        tap(x, {x.escape});
        if (!waitForList(x, pid, false, 10000)) {
            stop(pid);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const Time pressed = serverTime(x);
        tap(x, {x.control, x.shift, x.v});
        const Time again = waitForList(x, pid, true, 10000);
        if (!again) {
            stop(pid);
            return 1;
        }
        hotkeys.push_back(long(again - pressed));
        stop(pid);
    }
    std::printf("start");
    for (long ms : starts)
        std::printf(" %ld", ms);
    std::printf("\nhotkey");
    for (long ms : hotkeys)
        std::printf(" %ld", ms);
    std::printf("\n");
    XCloseDisplay(x.display);
    return 0;
}

// Opens the window with the hotkey, pages through the whole list once (Page Down), lets the
// thumbnails arrive, and prints the program's resident size before and after.
int memory(char *argv[])
{
    const int pages = std::max(1, std::atoi(argv[2]));
    char **command = argv + 3;
    X x;
    if (!openDisplay(x))
        return 1;
    const pid_t pid = startProgram(command);
    if (pid < 0)
        return 1;
    if (!pressHotkeyOnceTaken(x, pid, 30000) || !waitForList(x, pid, true, 30000)) {
        stop(pid);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const double shown = residentMegabytes(pid);
    const KeyCode next = XKeysymToKeycode(x.display, XK_Next);
    for (int page = 0; page < pages; ++page) {
        tap(x, {next});
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(4000));
    const double scrolled = residentMegabytes(pid);
    stop(pid);
    XCloseDisplay(x.display);
    std::printf("memory %.1f %.1f\n", shown, scrolled);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "generate") == 0)
        return generate(argc, argv);
    if (argc >= 4 && std::strcmp(argv[1], "measure") == 0)
        return measure(argv);
    if (argc >= 4 && std::strcmp(argv[1], "memory") == 0)
        return memory(argv);
    std::fprintf(stderr, "usage: startupprobe generate CLIPPINGS IMAGES [REMOVALS] | measure RUNS PROGRAM [ARGUMENTS...]"
                         " | memory PAGES PROGRAM [ARGUMENTS...]\n");
    return 2;
}
