#pragma once

// Reads back the minidump files of the crash writer in tests, checking every location against the
// file's size, independently of the writer's own code.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <cstring>
#include <optional>

class MinidumpReader
{
public:
    struct Location
    {
        quint32 size = 0;
        quint32 rva = 0;
    };

    struct Thread
    {
        quint32 id = 0;
        quint64 stackStart = 0;
        Location stack;
        Location context;
    };

    struct Module
    {
        quint64 base = 0;
        quint32 size = 0;
        QString name;
        QByteArray cvRecord;
    };

    explicit MinidumpReader(QByteArray data)
        : m_data(std::move(data))
    {
        m_valid = parse();
    }

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }
    quint32 streamCount() const { return m_streams.size(); }

    quint32 exceptionThreadId = 0;
    quint32 exceptionCode = 0;
    quint32 exceptionFlags = 0;
    quint64 exceptionAddress = 0;
    Location exceptionContext;
    quint16 architecture = 0;
    quint32 platformId = 0;
    quint8 processorCount = 0;
    QString systemDescription;
    QList<Thread> threads;
    QList<Module> modules;

    // The x86-64 context's flags, stack pointer and instruction pointer.
    quint32 contextFlags(Location context) const { return u32(context.rva + 48); }
    quint64 contextRsp(Location context) const { return u64(context.rva + 152); }
    quint64 contextRip(Location context) const { return u64(context.rva + 248); }

    QByteArray bytes(Location location) const { return m_data.mid(location.rva, location.size); }

private:
    struct Stream
    {
        quint32 type;
        Location location;
    };

    bool fail(const QString &why)
    {
        m_error = why;
        return false;
    }

    bool inside(Location location) const
    {
        return quint64(location.rva) + location.size <= quint64(m_data.size());
    }

    quint16 u16(quint32 at) const { return at + 2 <= quint32(m_data.size()) ? qFromLittleEndian<quint16>(m_data.constData() + at) : 0; }
    quint32 u32(quint32 at) const { return at + 4 <= quint32(m_data.size()) ? qFromLittleEndian<quint32>(m_data.constData() + at) : 0; }
    quint64 u64(quint32 at) const { return at + 8 <= quint32(m_data.size()) ? qFromLittleEndian<quint64>(m_data.constData() + at) : 0; }
    Location location(quint32 at) const { return {u32(at), u32(at + 4)}; }

    std::optional<QString> string(quint32 rva) const
    {
        const quint32 length = u32(rva);
        if (rva == 0 || length % 2 != 0 || quint64(rva) + 4 + length + 2 > quint64(m_data.size()))
            return std::nullopt;
        QString text;
        for (quint32 i = 0; i < length; i += 2)
            text.append(QChar(u16(rva + 4 + i)));
        if (u16(rva + 4 + length) != 0)
            return std::nullopt;
        return text;
    }

    const Stream *stream(quint32 type) const
    {
        for (const Stream &s : m_streams) {
            if (s.type == type)
                return &s;
        }
        return nullptr;
    }

    bool parse()
    {
        if (m_data.size() < 32)
            return fail("shorter than a header");
        if (std::memcmp(m_data.constData(), "MDMP", 4) != 0)
            return fail("no MDMP signature");
        if ((u32(4) & 0xffff) != 0xa793)
            return fail("wrong format version");
        const quint32 count = u32(8);
        const quint32 directory = u32(12);
        if (!inside({count * 12, directory}))
            return fail("stream directory outside the file");
        for (quint32 i = 0; i < count; ++i) {
            const Stream s{u32(directory + i * 12), location(directory + i * 12 + 4)};
            if (!inside(s.location))
                return fail(QString("stream %1 outside the file").arg(s.type));
            m_streams.append(s);
        }

        const Stream *system = stream(7);
        if (!system || system->location.size < 56)
            return fail("no system information");
        architecture = u16(system->location.rva);
        processorCount = quint8(m_data.at(system->location.rva + 6));
        platformId = u32(system->location.rva + 20);
        const std::optional<QString> description = string(u32(system->location.rva + 24));
        if (!description)
            return fail("bad system description string");
        systemDescription = *description;

        const Stream *exception = stream(6);
        if (!exception || exception->location.size < 168)
            return fail("no exception stream");
        const quint32 e = exception->location.rva;
        exceptionThreadId = u32(e);
        exceptionCode = u32(e + 8);
        exceptionFlags = u32(e + 12);
        exceptionAddress = u64(e + 24);
        exceptionContext = location(e + 160);
        if (!inside(exceptionContext))
            return fail("exception context outside the file");

        const Stream *threadList = stream(3);
        if (!threadList)
            return fail("no thread list");
        const quint32 threadCount = u32(threadList->location.rva);
        if (4 + quint64(threadCount) * 48 > threadList->location.size)
            return fail("thread list larger than its stream");
        for (quint32 i = 0; i < threadCount; ++i) {
            const quint32 t = threadList->location.rva + 4 + i * 48;
            Thread thread{u32(t), u64(t + 24), location(t + 32), location(t + 40)};
            if (!inside(thread.stack) || !inside(thread.context))
                return fail("thread data outside the file");
            threads.append(thread);
        }

        const Stream *moduleList = stream(4);
        if (!moduleList)
            return fail("no module list");
        const quint32 moduleCount = u32(moduleList->location.rva);
        if (4 + quint64(moduleCount) * 108 > moduleList->location.size)
            return fail("module list larger than its stream");
        for (quint32 i = 0; i < moduleCount; ++i) {
            const quint32 m = moduleList->location.rva + 4 + i * 108;
            const std::optional<QString> name = string(u32(m + 20));
            const Location cv = location(m + 76);
            if (!name || !inside(cv))
                return fail("bad module entry");
            modules.append({u64(m), u32(m + 8), *name, bytes(cv)});
        }
        return true;
    }

    QByteArray m_data;
    bool m_valid = false;
    QString m_error;
    QList<Stream> m_streams;
};
