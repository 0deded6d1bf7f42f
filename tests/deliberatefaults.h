#pragma once

// Faults that tests cause on purpose, to see the crash handler at work. In the sanitized build no
// check may end the program before its signal does.
namespace DeliberateFaults {

[[gnu::noinline, gnu::no_sanitize("undefined")]] inline void writeThroughNull()
{
    volatile int *volatile pointer = nullptr;
    *pointer = 1;
}

[[gnu::noinline, gnu::no_sanitize("undefined")]] inline void divideByZero()
{
    volatile int one = 1;
    volatile int zero = 0;
    volatile int result = one / zero;
    (void)result;
}

} // namespace DeliberateFaults
