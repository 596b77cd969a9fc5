#include "core/Pages.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <fstream>
#include <string>

namespace zav {

namespace {

#if defined(__linux__) && defined(MADV_POPULATE_WRITE) && defined(MADV_HUGEPAGE)

constexpr uintptr_t kHugePage = uintptr_t{2} << 20;

// Whether the system gives huge pages to a block that asks for them.
bool HugePagesOnRequest() {
    static const bool offered = [] {
        std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
        std::string text;
        std::getline(setting, text);
        return text.find("[always]") != std::string::npos ||
               text.find("[madvise]") != std::string::npos;
    }();
    return offered;
}

void Advise(uintptr_t from, uintptr_t to, int advice) {
    if (to > from) {
        ::madvise(reinterpret_cast<void*>(from), to - from, advice);
    }
}

uintptr_t Down(uintptr_t at, uintptr_t page) {
    return at / page * page;
}

uintptr_t Up(uintptr_t at, uintptr_t page) {
    return Down(at + page - 1, page);
}

#endif

}  // namespace

void PreparePages(const void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE) && defined(MADV_HUGEPAGE)
    constexpr size_t kWorthIt = size_t{64} << 10;
    if (bytes < kWorthIt) {
        return;
    }
    const auto first = reinterpret_cast<uintptr_t>(data);
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t from = Up(first, page);
    const uintptr_t to = Down(first + bytes, page);
    // Huge pages come whole, so only the part of the block they fill is
    // offered to them. They are left to come as the block is filled: 512
    // pages at each first touch, spread over the filling, where asking for
    // them all at once makes the filling wait for every one. The small
    // pages around them are asked for at once.
    uintptr_t hugeFrom = Up(first, kHugePage);
    uintptr_t hugeTo = Down(first + bytes, kHugePage);
    if (hugeTo > hugeFrom && HugePagesOnRequest()) {
        Advise(hugeFrom, hugeTo, MADV_HUGEPAGE);
    } else {
        hugeFrom = hugeTo = to;
    }
    Advise(from, hugeFrom, MADV_POPULATE_WRITE);
    Advise(hugeTo, to, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace zav
