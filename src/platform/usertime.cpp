#include "platform/usertime.h"

#include <atomic>

namespace {
std::atomic<quint32> latestUserInputTime{0};
}

void setLastUserInputTime(quint32 time)
{
    latestUserInputTime = time;
}

quint32 lastUserInputTime()
{
    return latestUserInputTime;
}
