// Linked into every program of the sanitized tree. Beside AddressSanitizer, UndefinedBehaviorSanitizer
// ignores the log_path of UBSAN_OPTIONS (the function that would apply it resolves to
// AddressSanitizer's copy), so its reports would go to standard error alone, where a test that
// captures a child's output never shows them. Its own copy is called here instead.
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

[[gnu::constructor]] void sendUbsanReportsToLogPath()
{
    const char *options = std::getenv("UBSAN_OPTIONS");
    const char *key = options ? std::strstr(options, "log_path=") : nullptr;
    if (!key)
        return;
    key += std::strlen("log_path=");
    const std::string path(key, std::strcspn(key, ": "));
    void *ubsan = dlopen("libubsan.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (!ubsan)
        return;
    using SetReportPath = void (*)(const char *);
    if (auto set = reinterpret_cast<SetReportPath>(dlsym(ubsan, "__sanitizer_set_report_path")))
        set(path.c_str());
    dlclose(ubsan);
}

} // namespace
