#pragma once

// Ends the program with a fatal signal, so that the user can see the crash handler record a dump.
// Reached only from the settings dialog's crash-reporting test.
[[noreturn]] void crash();
