#pragma once

#include <QtGlobal>

// X server time of the latest user input that reached us directly (a hotkey press). Activation
// requests carry it, so that window managers preventing focus stealing grant them. 0 = unknown.
void setLastUserInputTime(quint32 time);
quint32 lastUserInputTime();
