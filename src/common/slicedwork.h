#pragma once

#include <QtGlobal>

#include <functional>

// Work over count independent elements, split into consecutive slices that run side by side: the
// calling thread takes the first slice, threads of their own the others. Returns once every slice
// is done. No slice is smaller than minimumSlice, so small jobs stay on the calling thread.
namespace SlicedWork {

void run(qsizetype count, qsizetype minimumSlice, const std::function<void(qsizetype begin, qsizetype end)> &work);

// How many slices run() makes of count elements.
int sliceCount(qsizetype count, qsizetype minimumSlice);

} // namespace SlicedWork
