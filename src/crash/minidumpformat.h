#pragma once

// The parts of the minidump file format that the crash writer produces (little-endian, packed).
// Layouts follow the published format, so that standard minidump tools can read the files.

#include <cstdint>

namespace Breakpad {
namespace Minidump {

#pragma pack(push, 4)

constexpr uint32_t Signature = 0x504d444d; // "MDMP"
constexpr uint32_t Version = 0xa793;

enum StreamType : uint32_t {
    ThreadListStream = 3,
    ModuleListStream = 4,
    ExceptionStream = 6,
    SystemInfoStream = 7,
};

// Exception code of a dump the program asked for, when no signal is involved.
constexpr uint32_t DumpRequested = 0xffffffff;
constexpr uint32_t PlatformLinux = 0x8201;
constexpr uint16_t ArchitectureAmd64 = 9;
constexpr uint16_t ArchitectureArm64 = 0x8003;
constexpr uint16_t ArchitectureUnknown = 0xffff;
constexpr uint32_t CvSignatureElf = 0x4270454c; // "BpEL": the record holds the ELF build id

struct LocationDescriptor
{
    uint32_t dataSize;
    uint32_t rva;
};

struct MemoryDescriptor
{
    uint64_t startOfMemoryRange;
    LocationDescriptor memory;
};

struct Header
{
    uint32_t signature;
    uint32_t version;
    uint32_t numberOfStreams;
    uint32_t streamDirectoryRva;
    uint32_t checkSum;
    uint32_t timeDateStamp;
    uint64_t flags;
};

struct Directory
{
    uint32_t streamType;
    LocationDescriptor location;
};

struct Thread
{
    uint32_t threadId;
    uint32_t suspendCount;
    uint32_t priorityClass;
    uint32_t priority;
    uint64_t teb;
    MemoryDescriptor stack;
    LocationDescriptor threadContext;
};

struct FixedFileInfo
{
    uint32_t signature;
    uint32_t structVersion;
    uint32_t fileVersionHigh;
    uint32_t fileVersionLow;
    uint32_t productVersionHigh;
    uint32_t productVersionLow;
    uint32_t fileFlagsMask;
    uint32_t fileFlags;
    uint32_t fileOs;
    uint32_t fileType;
    uint32_t fileSubtype;
    uint32_t fileDateHigh;
    uint32_t fileDateLow;
};

struct Module
{
    uint64_t baseOfImage;
    uint32_t sizeOfImage;
    uint32_t checkSum;
    uint32_t timeDateStamp;
    uint32_t moduleNameRva;
    FixedFileInfo versionInfo;
    LocationDescriptor cvRecord;
    LocationDescriptor miscRecord;
    uint64_t reserved0;
    uint64_t reserved1;
};

struct Exception
{
    uint32_t exceptionCode;
    uint32_t exceptionFlags;
    uint64_t exceptionRecord;
    uint64_t exceptionAddress;
    uint32_t numberParameters;
    uint32_t unusedAlignment;
    uint64_t exceptionInformation[15];
};

struct ExceptionStreamData
{
    uint32_t threadId;
    uint32_t alignment;
    Exception exceptionRecord;
    LocationDescriptor threadContext;
};

struct SystemInfo
{
    uint16_t processorArchitecture;
    uint16_t processorLevel;
    uint16_t processorRevision;
    uint8_t numberOfProcessors;
    uint8_t productType;
    uint32_t majorVersion;
    uint32_t minorVersion;
    uint32_t buildNumber;
    uint32_t platformId;
    uint32_t csdVersionRva;
    uint16_t suiteMask;
    uint16_t reserved2;
    // x86: vendor id (3 words), version, feature and extended AMD feature words.
    uint32_t cpu[6];
};

// The x86-64 thread context (CONTEXT_AMD64).
struct ContextAmd64
{
    uint64_t pHome[6];
    uint32_t contextFlags;
    uint32_t mxCsr;
    uint16_t cs, ds, es, fs, gs, ss;
    uint32_t eflags;
    uint64_t dr0, dr1, dr2, dr3, dr6, dr7;
    uint64_t rax, rcx, rdx, rbx, rsp, rbp, rsi, rdi;
    uint64_t r8, r9, r10, r11, r12, r13, r14, r15;
    uint64_t rip;
    uint8_t fltSave[512]; // the FXSAVE area
    uint64_t vectorRegister[26][2];
    uint64_t vectorControl;
    uint64_t debugControl;
    uint64_t lastBranchToRip;
    uint64_t lastBranchFromRip;
    uint64_t lastExceptionToRip;
    uint64_t lastExceptionFromRip;
};

constexpr uint32_t ContextAmd64Flag = 0x00100000;
constexpr uint32_t ContextControl = 0x1;
constexpr uint32_t ContextInteger = 0x2;
constexpr uint32_t ContextSegments = 0x4;
constexpr uint32_t ContextFloatingPoint = 0x8;

#pragma pack(pop)

static_assert(sizeof(Header) == 32);
static_assert(sizeof(Directory) == 12);
static_assert(sizeof(Thread) == 48);
static_assert(sizeof(Module) == 108);
static_assert(sizeof(ExceptionStreamData) == 168);
static_assert(sizeof(SystemInfo) == 56);
static_assert(sizeof(ContextAmd64) == 1232);

} // namespace Minidump
} // namespace Breakpad
