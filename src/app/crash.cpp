#include "app/crash.h"

#include <QDebug>

#include <csignal>
#include <cstdlib>

void crash()
{
    qWarning() << "Crashing on request to test the crash handler";
    // A real segmentation fault, delivered the way a fault would be, without relying on
    // undefined behaviour that an optimiser may remove.
    std::raise(SIGSEGV);
    // Only reached when SIGSEGV is ignored or blocked.
    std::abort();
}
