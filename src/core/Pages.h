// Asking the system for the memory of a large block at once. Some machines
// (virtual ones above all) pay dearly for every page a program touches for
// the first time: filling a few hundred megabytes page by page can cost
// more than reading the text that fills them. A block that is about to be
// filled whole is therefore asked for in one go, in huge pages where the
// system offers them for the asking.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zav {

// Only a hint: where the system cannot, the pages come one by one as they
// are first touched, as they always did. Small blocks are left alone.
void PreparePages(const void* data, size_t bytes);

template <typename T>
void PrepareReserved(const std::vector<T>& reserved) {
    PreparePages(reserved.data(), reserved.capacity() * sizeof(T));
}

inline void PrepareReserved(const std::string& reserved) {
    PreparePages(reserved.data(), reserved.capacity());
}

}  // namespace zav
