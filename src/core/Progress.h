// Progress of long work and the user's wish to stop it. Work that can take
// more than a moment (opening, saving, reading files, refreshing tables)
// reports how far it has come and asks, at points where stopping leaves
// nothing half-changed, whether it should stop. The desktop shows a
// progress dialog from another thread; the command line passes nothing.
#pragma once

#include <atomic>
#include <cstdint>

namespace zav {

class Progress {
public:
    virtual ~Progress() = default;
    // `done` of `total` units of the work (bytes, series, rows); `total`
    // may change as the work learns more. Called from the working thread.
    virtual void Report(std::uint64_t done, std::uint64_t total) = 0;
    // True once the user has asked the work to stop.
    virtual bool Cancelled() const = 0;
};

// The progress of work nobody watches: reports go nowhere and it is never
// cancelled. Callers without a progress pass this.
Progress& NoProgress();

// Progress shared between a working thread and the thread that shows it:
// the work reports and polls, the watcher reads the figures and may cancel.
class SharedProgress final : public Progress {
public:
    void Report(std::uint64_t done, std::uint64_t total) override {
        total_.store(total, std::memory_order_relaxed);
        done_.store(done, std::memory_order_relaxed);
    }
    bool Cancelled() const override { return cancelled_.load(std::memory_order_relaxed); }
    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    std::uint64_t Done() const { return done_.load(std::memory_order_relaxed); }
    std::uint64_t Total() const { return total_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint64_t> done_{0};
    std::atomic<std::uint64_t> total_{0};
    std::atomic<bool> cancelled_{false};
};

// One of `count` equal parts of a whole's progress (the files of one add):
// the part's own figures are scaled into its share of the whole.
class ProgressShare final : public Progress {
public:
    ProgressShare(Progress& whole, std::uint64_t index, std::uint64_t count)
        : m_whole(whole), m_index(index), m_count(count) {}
    void Report(std::uint64_t done, std::uint64_t total) override {
        const std::uint64_t share = total == 0 ? 0 : done * kShare / total;
        m_whole.Report(m_index * kShare + share, m_count * kShare);
    }
    bool Cancelled() const override { return m_whole.Cancelled(); }

private:
    static constexpr std::uint64_t kShare = 1000;
    Progress& m_whole;
    std::uint64_t m_index;
    std::uint64_t m_count;
};

}  // namespace zav
