#pragma once

#include <cstddef>

// Writes every byte to fd, through interrupted and short writes. Safe in a signal handler: it
// allocates nothing and takes no lock. False when a write fails or writes nothing.
bool writeFully(int fd, const char *data, std::size_t size);
