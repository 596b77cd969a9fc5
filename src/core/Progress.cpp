#include "core/Progress.h"

namespace zav {
namespace {

class Unwatched final : public Progress {
public:
    void Report(std::uint64_t, std::uint64_t) override {}
    bool Cancelled() const override { return false; }
};

}  // namespace

Progress& NoProgress() {
    static Unwatched unwatched;
    return unwatched;
}

}  // namespace zav
