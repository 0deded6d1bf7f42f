#pragma once

// Version of the logging library; nothing in the program reads it.
const char* qxtVersion();
