#include "common/slicedwork.h"

#include <QThread>

#include <algorithm>
#include <future>
#include <vector>

namespace SlicedWork {

namespace {
// Beyond this the threads mostly wait on each other's page faults.
const int MaxSlices = 4;
} // namespace

int sliceCount(qsizetype count, qsizetype minimumSlice)
{
    if (count <= 0)
        return 0;
    const qsizetype bySize = std::max<qsizetype>(1, count / std::max<qsizetype>(1, minimumSlice));
    return int(std::min<qsizetype>({bySize, qsizetype(MaxSlices), qsizetype(std::max(1, QThread::idealThreadCount()))}));
}

void run(qsizetype count, qsizetype minimumSlice, const std::function<void(qsizetype begin, qsizetype end)> &work)
{
    const int slices = sliceCount(count, minimumSlice);
    if (slices == 0)
        return;
    const auto bound = [count, slices](int slice) { return count * slice / slices; };
    std::vector<std::future<void>> others;
    others.reserve(slices - 1);
    for (int slice = 1; slice < slices; ++slice)
        others.push_back(std::async(std::launch::async, work, bound(slice), bound(slice + 1)));
    work(0, bound(1));
    for (std::future<void> &other : others)
        other.get();
}

} // namespace SlicedWork
