// Runs independent tasks on several threads: the calling thread and up to
// `threads` - 1 more, each taking the next task not yet taken, so that
// tasks of unequal length still keep every thread busy. Returns when all
// are done. A task must not throw.
#pragma once

#include <cstddef>
#include <functional>

namespace zav {

// `threads` 0 uses every core.
void RunSideBySide(size_t tasks, unsigned threads, const std::function<void(size_t)>& task);

// The number of threads `threads` stands for: itself, or every core for 0.
unsigned ThreadsFor(unsigned threads);

}  // namespace zav
