#include "crash/minidumpwriter.h"

#include "crash/minidumpformat.h"
#include "common/writefully.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

// Nothing in this file may allocate, lock or call into Qt: it runs inside a fatal-signal handler,
// possibly while the heap is corrupt. Its working memory is static.

namespace Breakpad {

using namespace Minidump;

namespace {

constexpr int MaxThreads = 1024;
constexpr int MaxMappings = 8192;
constexpr int MaxModules = 1024;
constexpr size_t NamePoolSize = 512 * 1024;
constexpr size_t MaxStackBytes = 32 * 1024;
// The x86-64 ABI lets a function use 128 bytes below the stack pointer.
constexpr uintptr_t RedZone = 128;
constexpr size_t MaxBuildIdBytes = 64;
constexpr size_t MaxStringUnits = 4096;
constexpr uint32_t NoName = UINT32_MAX;

struct Mapping
{
    uintptr_t start;
    uintptr_t end;
    uint64_t offset;
    bool readable;
    uint32_t name; // offset in the name pool, or NoName
};

struct ModuleRecord
{
    uintptr_t start;
    uintptr_t end;
    uint32_t name;
    LocationDescriptor nameLocation;
    LocationDescriptor cvLocation;
};

pid_t g_threads[MaxThreads];
int g_threadCount;
Mapping g_mappings[MaxMappings];
int g_mappingCount;
ModuleRecord g_modules[MaxModules];
int g_moduleCount;
char g_namePool[NamePoolSize];
size_t g_namePoolUsed;
alignas(8) char g_readBuffer[16384];
char g_line[PATH_MAX + 256];
uint16_t g_utf16[MaxStringUnits + 1];
int g_processorCount = 1;

// ---- Output: a small buffer in front of the file, counting the offset ----

struct Output
{
    int fd = -1;
    uint32_t offset = 0;
    bool ok = true;
    size_t used = 0;
    char buffer[8192];
};
Output g_out;

void flush()
{
    if (g_out.used > 0 && g_out.ok)
        g_out.ok = writeFully(g_out.fd, g_out.buffer, g_out.used);
    g_out.used = 0;
}

void put(const void *data, size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    g_out.offset += uint32_t(size);
    while (size > 0) {
        const size_t chunk = size < sizeof g_out.buffer - g_out.used ? size : sizeof g_out.buffer - g_out.used;
        std::memcpy(g_out.buffer + g_out.used, bytes, chunk);
        g_out.used += chunk;
        bytes += chunk;
        size -= chunk;
        if (g_out.used == sizeof g_out.buffer)
            flush();
    }
}

void putZeros(size_t size)
{
    static const char zeros[256] = {};
    while (size > 0) {
        const size_t chunk = size < sizeof zeros ? size : sizeof zeros;
        put(zeros, chunk);
        size -= chunk;
    }
}

void align(uint32_t alignment)
{
    putZeros((alignment - g_out.offset % alignment) % alignment);
}

// Process memory straight to the file. The kernel reports an unreadable page as EFAULT instead of
// faulting, so such a page becomes zeros and the sizes already promised in the file stay right.
void putMemory(uintptr_t address, size_t size)
{
    flush();
    g_out.offset += uint32_t(size);
    while (size > 0 && g_out.ok) {
        // The system call itself, not the libc function: the sanitizers wrap write() and would
        // report the poisoned red zones that an instrumented stack holds between its frames.
        const ssize_t written = ::syscall(SYS_write, g_out.fd, reinterpret_cast<const char *>(address), size);
        if (written > 0) {
            address += size_t(written);
            size -= size_t(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && errno == EFAULT) {
            const size_t toPageEnd = 4096 - address % 4096;
            const size_t gap = toPageEnd < size ? toPageEnd : size;
            g_out.offset -= uint32_t(gap);
            putZeros(gap);
            flush();
            address += gap;
            size -= gap;
        } else {
            g_out.ok = false;
        }
    }
}

void patch(uint32_t at, const void *data, size_t size)
{
    flush();
    if (!g_out.ok)
        return;
    g_out.ok = ::lseek(g_out.fd, off_t(at), SEEK_SET) == off_t(at)
        && writeFully(g_out.fd, static_cast<const char *>(data), size)
        && ::lseek(g_out.fd, 0, SEEK_END) >= 0;
}

// A MINIDUMP_STRING: byte length, UTF-16 text, a terminating zero unit. Returns its location.
LocationDescriptor putString(const char *utf8)
{
    size_t units = 0;
    const unsigned char *s = reinterpret_cast<const unsigned char *>(utf8);
    while (*s && units + 2 <= MaxStringUnits) {
        uint32_t code = 0xfffd;
        int extra = 0;
        if (*s < 0x80) {
            code = *s;
        } else if ((*s & 0xe0) == 0xc0) {
            code = *s & 0x1f;
            extra = 1;
        } else if ((*s & 0xf0) == 0xe0) {
            code = *s & 0x0f;
            extra = 2;
        } else if ((*s & 0xf8) == 0xf0) {
            code = *s & 0x07;
            extra = 3;
        }
        ++s;
        for (int i = 0; i < extra; ++i, ++s) {
            if ((*s & 0xc0) != 0x80) {
                code = 0xfffd;
                break;
            }
            code = (code << 6) | (*s & 0x3f);
        }
        if (code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            code = 0xfffd;
        if (code >= 0x10000) {
            code -= 0x10000;
            g_utf16[units++] = uint16_t(0xd800 + (code >> 10));
            g_utf16[units++] = uint16_t(0xdc00 + (code & 0x3ff));
        } else {
            g_utf16[units++] = uint16_t(code);
        }
    }
    g_utf16[units] = 0;

    align(4);
    const LocationDescriptor location{uint32_t(4 + (units + 1) * 2), g_out.offset};
    const uint32_t length = uint32_t(units * 2);
    put(&length, sizeof length);
    put(g_utf16, (units + 1) * 2);
    return location;
}

// ---- Parsing helpers for /proc text ----

bool parseHex(const char *&p, const char *end, uint64_t &value)
{
    value = 0;
    const char *begin = p;
    for (; p < end; ++p) {
        int digit;
        if (*p >= '0' && *p <= '9')
            digit = *p - '0';
        else if (*p >= 'a' && *p <= 'f')
            digit = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'F')
            digit = *p - 'A' + 10;
        else
            break;
        value = value * 16 + uint64_t(digit);
    }
    return p > begin;
}

void skipField(const char *&p, const char *end)
{
    while (p < end && *p != ' ')
        ++p;
    while (p < end && *p == ' ')
        ++p;
}

uint32_t internName(const char *name, size_t length)
{
    if (g_mappingCount > 0) {
        const uint32_t previous = g_mappings[g_mappingCount - 1].name;
        if (previous != NoName && std::strlen(g_namePool + previous) == length
            && std::memcmp(g_namePool + previous, name, length) == 0) {
            return previous;
        }
    }
    if (g_namePoolUsed + length + 1 > NamePoolSize)
        return NoName;
    const uint32_t at = uint32_t(g_namePoolUsed);
    std::memcpy(g_namePool + at, name, length);
    g_namePool[at + length] = '\0';
    g_namePoolUsed += length + 1;
    return at;
}

// One line of /proc/self/maps: "start-end perms offset dev inode   path".
void parseMapsLine(const char *line, size_t length)
{
    if (g_mappingCount >= MaxMappings)
        return;
    const char *p = line;
    const char *end = line + length;
    uint64_t start, stop, offset;
    if (!parseHex(p, end, start) || p >= end || *p++ != '-' || !parseHex(p, end, stop))
        return;
    while (p < end && *p == ' ')
        ++p;
    if (end - p < 4)
        return;
    const bool readable = p[0] == 'r';
    skipField(p, end);
    if (!parseHex(p, end, offset))
        return;
    while (p < end && *p == ' ')
        ++p;
    skipField(p, end); // device
    skipField(p, end); // inode
    Mapping &mapping = g_mappings[g_mappingCount];
    mapping.start = uintptr_t(start);
    mapping.end = uintptr_t(stop);
    mapping.offset = offset;
    mapping.readable = readable;
    mapping.name = p < end ? internName(p, size_t(end - p)) : NoName;
    ++g_mappingCount;
}

void readMappings()
{
    g_mappingCount = 0;
    g_namePoolUsed = 0;
    const int fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    size_t lineLength = 0;
    for (;;) {
        const ssize_t got = ::read(fd, g_readBuffer, sizeof g_readBuffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            if (g_readBuffer[i] == '\n') {
                parseMapsLine(g_line, lineLength);
                lineLength = 0;
            } else if (lineLength < sizeof g_line - 1) {
                g_line[lineLength++] = g_readBuffer[i];
            }
        }
    }
    if (lineLength > 0)
        parseMapsLine(g_line, lineLength);
    ::close(fd);
}

// A file mapped from offset 0 starts a module; its further mappings extend it.
void collectModules()
{
    g_moduleCount = 0;
    for (int i = 0; i < g_mappingCount; ++i) {
        const Mapping &mapping = g_mappings[i];
        if (mapping.name == NoName || g_namePool[mapping.name] != '/')
            continue;
        ModuleRecord *last = g_moduleCount > 0 ? &g_modules[g_moduleCount - 1] : nullptr;
        if (last && last->name == mapping.name && mapping.offset != 0 && mapping.start >= last->end) {
            last->end = mapping.end;
        } else if (mapping.offset == 0 && g_moduleCount < MaxModules) {
            ModuleRecord &module = g_modules[g_moduleCount++];
            module = ModuleRecord{mapping.start, mapping.end, mapping.name, {0, 0}, {0, 0}};
        }
    }
}

bool isReadable(uintptr_t address, size_t size)
{
    if (address + size < address)
        return false;
    for (int i = 0; i < g_mappingCount; ++i) {
        const Mapping &mapping = g_mappings[i];
        if (mapping.readable && address >= mapping.start && address + size <= mapping.end)
            return true;
    }
    return false;
}

const Mapping *readableMappingAt(uintptr_t address)
{
    for (int i = 0; i < g_mappingCount; ++i) {
        if (g_mappings[i].readable && address >= g_mappings[i].start && address < g_mappings[i].end)
            return &g_mappings[i];
    }
    return nullptr;
}

// The GNU build id from the module's loaded ELF notes; every read is checked against the mappings.
size_t readBuildId(const ModuleRecord &module, uint8_t *out)
{
    if (!isReadable(module.start, sizeof(Elf64_Ehdr)))
        return 0;
    const auto *header = reinterpret_cast<const Elf64_Ehdr *>(module.start);
    if (std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 || header->e_ident[EI_CLASS] != ELFCLASS64
        || header->e_phentsize != sizeof(Elf64_Phdr)) {
        return 0;
    }
    const uintptr_t programHeaders = module.start + header->e_phoff;
    if (!isReadable(programHeaders, size_t(header->e_phnum) * sizeof(Elf64_Phdr)))
        return 0;
    const auto *phdr = reinterpret_cast<const Elf64_Phdr *>(programHeaders);

    uintptr_t bias = module.start;
    for (int i = 0; i < header->e_phnum; ++i) {
        if (phdr[i].p_type == PT_LOAD && phdr[i].p_offset == 0) {
            bias = module.start - (phdr[i].p_vaddr & ~uintptr_t(4095));
            break;
        }
    }
    for (int i = 0; i < header->e_phnum; ++i) {
        if (phdr[i].p_type != PT_NOTE)
            continue;
        uintptr_t note = bias + phdr[i].p_vaddr;
        size_t remaining = phdr[i].p_memsz;
        if (!isReadable(note, remaining))
            continue;
        while (remaining >= sizeof(Elf64_Nhdr)) {
            const auto *nhdr = reinterpret_cast<const Elf64_Nhdr *>(note);
            const size_t nameSize = (size_t(nhdr->n_namesz) + 3) & ~size_t(3);
            const size_t descSize = (size_t(nhdr->n_descsz) + 3) & ~size_t(3);
            const size_t total = sizeof(Elf64_Nhdr) + nameSize + descSize;
            if (total > remaining)
                break;
            const char *name = reinterpret_cast<const char *>(nhdr + 1);
            if (nhdr->n_type == NT_GNU_BUILD_ID && nhdr->n_namesz == 4 && std::memcmp(name, "GNU", 4) == 0) {
                const size_t size = nhdr->n_descsz < MaxBuildIdBytes ? nhdr->n_descsz : MaxBuildIdBytes;
                std::memcpy(out, name + nameSize, size);
                return size;
            }
            note += total;
            remaining -= total;
        }
    }
    return 0;
}

void collectThreads(pid_t crashingThread)
{
    g_threads[0] = crashingThread;
    g_threadCount = 1;
    const int fd = ::open("/proc/self/task", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct DirectoryEntry
    {
        uint64_t inode;
        int64_t offset;
        unsigned short length;
        unsigned char type;
        char name[1];
    };
    for (;;) {
        const long got = ::syscall(SYS_getdents64, fd, g_readBuffer, sizeof g_readBuffer);
        if (got <= 0)
            break;
        for (long at = 0; at < got;) {
            const auto *entry = reinterpret_cast<const DirectoryEntry *>(g_readBuffer + at);
            pid_t tid = 0;
            bool digits = entry->name[0] != '\0';
            for (const char *c = entry->name; *c; ++c) {
                if (*c < '0' || *c > '9') {
                    digits = false;
                    break;
                }
                tid = tid * 10 + (*c - '0');
            }
            if (digits && tid != crashingThread && g_threadCount < MaxThreads)
                g_threads[g_threadCount++] = tid;
            if (entry->length == 0)
                break;
            at += entry->length;
        }
    }
    ::close(fd);
}

uint32_t parseVersionPart(const char *&p)
{
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9')
        value = value * 10 + uint32_t(*p++ - '0');
    if (*p == '.')
        ++p;
    return value;
}

void appendText(char *buffer, size_t capacity, size_t &used, const char *text)
{
    while (*text && used + 1 < capacity)
        buffer[used++] = *text++;
    buffer[used] = '\0';
}

LocationDescriptor writeSystemInfo()
{
    struct utsname names;
    const bool haveNames = ::uname(&names) == 0;

    // The operating system's own description, as the service-pack text of the format.
    char description[sizeof names.sysname + sizeof names.release + sizeof names.version + sizeof names.machine + 4];
    size_t used = 0;
    description[0] = '\0';
    if (haveNames) {
        appendText(description, sizeof description, used, names.sysname);
        appendText(description, sizeof description, used, " ");
        appendText(description, sizeof description, used, names.release);
        appendText(description, sizeof description, used, " ");
        appendText(description, sizeof description, used, names.version);
        appendText(description, sizeof description, used, " ");
        appendText(description, sizeof description, used, names.machine);
    }
    const LocationDescriptor descriptionLocation = putString(description);

    SystemInfo info;
    std::memset(&info, 0, sizeof info);
#if defined(__x86_64__)
    info.processorArchitecture = ArchitectureAmd64;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx)) {
        info.cpu[0] = ebx;
        info.cpu[1] = edx;
        info.cpu[2] = ecx;
    }
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        uint32_t family = (eax >> 8) & 0xf;
        uint32_t model = (eax >> 4) & 0xf;
        if (family == 0xf)
            family += (eax >> 20) & 0xff;
        if (family == 0x6 || family >= 0xf)
            model |= (eax >> 12) & 0xf0;
        info.processorLevel = uint16_t(family);
        info.processorRevision = uint16_t((model << 8) | (eax & 0xf));
        info.cpu[3] = eax;
        info.cpu[4] = edx;
    }
#elif defined(__aarch64__)
    info.processorArchitecture = ArchitectureArm64;
#else
    info.processorArchitecture = ArchitectureUnknown;
#endif
    info.numberOfProcessors = uint8_t(g_processorCount > 255 ? 255 : g_processorCount);
    info.platformId = PlatformLinux;
    if (haveNames) {
        const char *p = names.release;
        info.majorVersion = parseVersionPart(p);
        info.minorVersion = parseVersionPart(p);
        info.buildNumber = parseVersionPart(p);
    }
    info.csdVersionRva = descriptionLocation.rva;

    align(8);
    const LocationDescriptor location{uint32_t(sizeof info), g_out.offset};
    put(&info, sizeof info);
    return location;
}

uintptr_t stackPointer(const ucontext_t *context)
{
#if defined(__x86_64__)
    return uintptr_t(context->uc_mcontext.gregs[REG_RSP]);
#elif defined(__aarch64__)
    return uintptr_t(context->uc_mcontext.sp);
#else
    (void)context;
    return 0;
#endif
}

uintptr_t instructionPointer(const ucontext_t *context)
{
#if defined(__x86_64__)
    return uintptr_t(context->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
    return uintptr_t(context->uc_mcontext.pc);
#else
    (void)context;
    return 0;
#endif
}

LocationDescriptor writeContext(const ucontext_t *context)
{
#if defined(__x86_64__)
    static ContextAmd64 out;
    std::memset(&out, 0, sizeof out);
    const greg_t *r = context->uc_mcontext.gregs;
    out.contextFlags = ContextAmd64Flag | ContextControl | ContextInteger | ContextSegments;
    out.cs = uint16_t(r[REG_CSGSFS] & 0xffff);
    out.gs = uint16_t((r[REG_CSGSFS] >> 16) & 0xffff);
    out.fs = uint16_t((r[REG_CSGSFS] >> 32) & 0xffff);
    out.eflags = uint32_t(r[REG_EFL]);
    out.rax = uint64_t(r[REG_RAX]);
    out.rcx = uint64_t(r[REG_RCX]);
    out.rdx = uint64_t(r[REG_RDX]);
    out.rbx = uint64_t(r[REG_RBX]);
    out.rsp = uint64_t(r[REG_RSP]);
    out.rbp = uint64_t(r[REG_RBP]);
    out.rsi = uint64_t(r[REG_RSI]);
    out.rdi = uint64_t(r[REG_RDI]);
    out.r8 = uint64_t(r[REG_R8]);
    out.r9 = uint64_t(r[REG_R9]);
    out.r10 = uint64_t(r[REG_R10]);
    out.r11 = uint64_t(r[REG_R11]);
    out.r12 = uint64_t(r[REG_R12]);
    out.r13 = uint64_t(r[REG_R13]);
    out.r14 = uint64_t(r[REG_R14]);
    out.r15 = uint64_t(r[REG_R15]);
    out.rip = uint64_t(r[REG_RIP]);
    if (context->uc_mcontext.fpregs) {
        out.contextFlags |= ContextFloatingPoint;
        static_assert(sizeof(*context->uc_mcontext.fpregs) == sizeof out.fltSave);
        std::memcpy(out.fltSave, context->uc_mcontext.fpregs, sizeof out.fltSave);
        out.mxCsr = context->uc_mcontext.fpregs->mxcsr;
    }
    align(8);
    const LocationDescriptor location{uint32_t(sizeof out), g_out.offset};
    put(&out, sizeof out);
    return location;
#else
    (void)context;
    return {0, 0};
#endif
}

} // namespace

void MinidumpWriter::prepare()
{
    const long processors = ::sysconf(_SC_NPROCESSORS_ONLN);
    g_processorCount = processors > 0 ? int(processors) : 1;
}

bool MinidumpWriter::write(int fd, const Crash &crash)
{
    g_out.fd = fd;
    g_out.offset = 0;
    g_out.ok = true;
    g_out.used = 0;

    readMappings();
    collectModules();
    collectThreads(crash.threadId);

    constexpr uint32_t streamCount = 4;
    Header header;
    std::memset(&header, 0, sizeof header);
    header.signature = Signature;
    header.version = Version;
    header.numberOfStreams = streamCount;
    header.streamDirectoryRva = sizeof(Header);
    header.timeDateStamp = uint32_t(::time(nullptr));
    put(&header, sizeof header);
    Directory directory[streamCount];
    std::memset(directory, 0, sizeof directory);
    put(directory, sizeof directory);

    directory[0].streamType = SystemInfoStream;
    directory[0].location = writeSystemInfo();

    const LocationDescriptor contextLocation = writeContext(crash.context);

    // The crashing thread's stack from just below its stack pointer, within its own mapping.
    MemoryDescriptor stack{0, {0, 0}};
    const uintptr_t sp = stackPointer(crash.context);
    if (const Mapping *mapping = sp ? readableMappingAt(sp) : nullptr) {
        const uintptr_t low = sp - RedZone >= mapping->start && sp >= RedZone ? sp - RedZone : mapping->start;
        const uintptr_t high = mapping->end - low > MaxStackBytes ? low + MaxStackBytes : mapping->end;
        align(8);
        stack.startOfMemoryRange = low;
        stack.memory = {uint32_t(high - low), g_out.offset};
        putMemory(low, high - low);
    }

    ExceptionStreamData exception;
    std::memset(&exception, 0, sizeof exception);
    exception.threadId = uint32_t(crash.threadId);
    if (crash.signalNumber == 0) {
        exception.exceptionRecord.exceptionCode = DumpRequested;
        exception.exceptionRecord.exceptionAddress = instructionPointer(crash.context);
    } else {
        exception.exceptionRecord.exceptionCode = uint32_t(crash.signalNumber);
        exception.exceptionRecord.exceptionFlags = uint32_t(crash.signalCode);
        // Only a fault's own address means anything; a sent signal carries the sender there.
        exception.exceptionRecord.exceptionAddress =
            crash.signalCode > 0 ? crash.faultAddress : instructionPointer(crash.context);
    }
    exception.threadContext = contextLocation;
    align(8);
    directory[1].streamType = ExceptionStream;
    directory[1].location = {uint32_t(sizeof exception), g_out.offset};
    put(&exception, sizeof exception);

    // Only the crashing thread's registers and stack are at hand in a signal handler; the other
    // threads are listed by id.
    align(8);
    const uint32_t threadCount = uint32_t(g_threadCount);
    directory[2].streamType = ThreadListStream;
    directory[2].location = {uint32_t(4 + threadCount * sizeof(Thread)), g_out.offset};
    put(&threadCount, sizeof threadCount);
    for (int i = 0; i < g_threadCount; ++i) {
        Thread thread;
        std::memset(&thread, 0, sizeof thread);
        thread.threadId = uint32_t(g_threads[i]);
        if (i == 0) {
            thread.stack = stack;
            thread.threadContext = contextLocation;
        }
        put(&thread, sizeof thread);
    }

    for (int i = 0; i < g_moduleCount; ++i) {
        ModuleRecord &module = g_modules[i];
        module.nameLocation = putString(g_namePool + module.name);
        static uint8_t buildId[MaxBuildIdBytes];
        const size_t buildIdSize = readBuildId(module, buildId);
        if (buildIdSize > 0) {
            align(4);
            module.cvLocation = {uint32_t(4 + buildIdSize), g_out.offset};
            const uint32_t signature = CvSignatureElf;
            put(&signature, sizeof signature);
            put(buildId, buildIdSize);
        }
    }
    align(8);
    const uint32_t moduleCount = uint32_t(g_moduleCount);
    directory[3].streamType = ModuleListStream;
    directory[3].location = {uint32_t(4 + moduleCount * sizeof(Module)), g_out.offset};
    put(&moduleCount, sizeof moduleCount);
    for (int i = 0; i < g_moduleCount; ++i) {
        const ModuleRecord &record = g_modules[i];
        Module module;
        std::memset(&module, 0, sizeof module);
        module.baseOfImage = record.start;
        module.sizeOfImage = uint32_t(record.end - record.start);
        module.moduleNameRva = record.nameLocation.rva;
        module.cvRecord = record.cvLocation;
        put(&module, sizeof module);
    }

    patch(sizeof(Header), directory, sizeof directory);
    flush();
    return g_out.ok;
}

} // namespace Breakpad
