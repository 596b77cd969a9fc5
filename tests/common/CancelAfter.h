// A progress that asks the work to stop once it has reported `reports`
// times (0: before it starts), as a person pressing Cancel part way would.
#pragma once

#include <cstdint>

#include "core/Progress.h"

namespace zav::test {

class CancelAfter final : public Progress {
public:
    explicit CancelAfter(int reports) : m_left(reports) {}
    void Report(std::uint64_t, std::uint64_t) override {
        --m_left;
        ++m_reports;
    }
    bool Cancelled() const override { return m_left <= 0; }
    int Reports() const { return m_reports; }

private:
    int m_left;
    int m_reports = 0;
};

}  // namespace zav::test
