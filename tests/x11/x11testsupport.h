#pragma once

// Helpers of the X11 tests: the probe window that stands in for another application, xdotool, and
// reads of the server's state on a connection of the test's own.

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace X11Test {

inline bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

inline bool xdotool(const QStringList &arguments)
{
    return run(QStringLiteral("xdotool"), arguments);
}

// The probe program: another application with a line edit that reports what it receives.
class Probe
{
public:
    explicit Probe(const QStringList &arguments = {})
        : m_arguments(arguments)
    {
    }

    ~Probe()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool start()
    {
        m_process.start(QStringLiteral(KESTOVAN_BINARY_DIR "/tests/kestovan_probe"), m_arguments);
        if (!m_process.waitForStarted(5000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (!m_window && timer.elapsed() < 10000) {
            m_process.waitForReadyRead(100);
            read();
        }
        return m_window != 0;
    }

    void stop()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    quint32 window() const { return m_window; }

    QStringList lines()
    {
        read();
        return m_lines;
    }

    // The line edit's text as last reported.
    QString text()
    {
        read();
        for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
            if (m_lines.at(i).startsWith(QLatin1String("TEXT:")))
                return m_lines.at(i).mid(5);
        }
        return {};
    }

    // Empties the line edit and waits until the probe has done so.
    bool clear()
    {
        read();
        const qsizetype before = m_lines.count(QStringLiteral("CLEARED"));
        m_process.write("clear\n");
        m_process.waitForBytesWritten(1000);
        QElapsedTimer timer;
        timer.start();
        while (m_lines.count(QStringLiteral("CLEARED")) == before && timer.elapsed() < 5000) {
            m_process.waitForReadyRead(50);
            read();
        }
        return m_lines.count(QStringLiteral("CLEARED")) > before;
    }

    void forgetLines()
    {
        read();
        m_lines.clear();
    }

private:
    void read()
    {
        m_buffer += m_process.readAllStandardOutput();
        qsizetype newline;
        while ((newline = m_buffer.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(m_buffer.left(newline));
            m_buffer.remove(0, newline + 1);
            if (line.startsWith(QLatin1String("READY:")))
                m_window = line.mid(6).toUInt();
            m_lines.append(line);
        }
    }

    QStringList m_arguments;
    QProcess m_process;
    QByteArray m_buffer;
    QStringList m_lines;
    quint32 m_window = 0;
};

// xclip owning the clipboard; with -quiet it stays in the foreground and reports every request.
class XclipOwner
{
public:
    XclipOwner(const QByteArray &content, const QString &target = QString())
    {
        QStringList arguments{"-quiet", "-selection", "clipboard"};
        if (!target.isEmpty())
            arguments << "-t" << target;
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start("xclip", arguments);
        m_process.write(content);
        m_process.closeWriteChannel();
    }

    ~XclipOwner() { stop(); }

    bool running() const { return m_process.state() == QProcess::Running; }

    // Selection requests xclip has been asked to serve so far.
    int requests()
    {
        m_output += m_process.readAll();
        return int(m_output.count("Waiting for selection request number")) - 1;
    }

    bool serving()
    {
        m_output += m_process.readAll();
        return m_output.contains("Waiting for selection requests");
    }

    void stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    QByteArray m_output;
};

struct FreeDeleter
{
    void operator()(void *p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// A client of the X server besides the program under test.
class Connection
{
public:
    Connection()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    }
    ~Connection() { xcb_disconnect(m_connection); }

    xcb_connection_t *get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }

    xcb_atom_t atom(const char *name)
    {
        Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr));
        return reply ? reply->atom : XCB_ATOM_NONE;
    }

    // First 32-bit value of a property; fallback when it is missing.
    quint32 cardinal(xcb_window_t window, const char *name, xcb_atom_t type, quint32 fallback = 0)
    {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, atom(name), type, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
            return fallback;
        return *static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    }

    quint32 activeWindow() { return cardinal(m_root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW); }

    // The window keys go to now: the window manager announces a window active before its client
    // has taken the input focus.
    quint32 inputFocus()
    {
        Reply<xcb_get_input_focus_reply_t> reply(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        return reply ? reply->focus : 0;
    }

    // The keys the server holds down now.
    QList<int> keysDown()
    {
        Reply<xcb_query_keymap_reply_t> reply(
            xcb_query_keymap_reply(m_connection, xcb_query_keymap(m_connection), nullptr));
        QList<int> keys;
        for (int code = 0; reply && code < 256; ++code) {
            if (reply->keys[code / 8] & (1 << (code % 8)))
                keys.append(code);
        }
        return keys;
    }

    quint16 modifierState()
    {
        Reply<xcb_query_pointer_reply_t> reply(
            xcb_query_pointer_reply(m_connection, xcb_query_pointer(m_connection, m_root), nullptr));
        return reply ? reply->mask : 0;
    }

    // The whole core keyboard mapping, to compare before and after.
    QList<quint32> keyboardMapping()
    {
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr));
        QList<quint32> symbols;
        if (!reply)
            return symbols;
        const xcb_keysym_t *data = xcb_get_keyboard_mapping_keysyms(reply.get());
        const int length = xcb_get_keyboard_mapping_keysyms_length(reply.get());
        // Trailing NoSymbol columns carry no meaning: compare keys by their symbols only.
        const int perCode = reply->keysyms_per_keycode;
        for (int code = 0; code < count; ++code) {
            int last = perCode;
            while (last > 0 && data[code * perCode + last - 1] == 0)
                --last;
            symbols.append(quint32(code) << 16 | quint32(last));
            for (int column = 0; column < last && code * perCode + column < length; ++column)
                symbols.append(data[code * perCode + column]);
        }
        return symbols;
    }

private:
    xcb_connection_t *m_connection;
    xcb_window_t m_root = 0;
};

// Gives a window the focus and waits until the window manager reports it active.
inline bool activate(quint32 window)
{
    if (!xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}))
        return false;
    Connection connection;
    return QTest::qWaitFor([&] { return connection.activeWindow() == window && connection.inputFocus() == window; },
                           5000);
}

} // namespace X11Test
