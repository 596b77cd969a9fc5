#include "core/SideBySide.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace zav {

unsigned ThreadsFor(unsigned threads) {
    return threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
}

void RunSideBySide(size_t tasks, unsigned threads, const std::function<void(size_t)>& task) {
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < tasks; i = next++) {
            task(i);
        }
    };
    const size_t helpers = tasks == 0 ? 0 : std::min<size_t>(ThreadsFor(threads), tasks) - 1;
    std::vector<std::thread> running;
    running.reserve(helpers);
    for (size_t t = 0; t < helpers; ++t) {
        running.emplace_back(work);
    }
    work();
    for (std::thread& thread : running) {
        thread.join();
    }
}

}  // namespace zav
