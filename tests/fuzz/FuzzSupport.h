// What the fuzzing harnesses share: a user interface that answers without a
// person, a reader of option bytes at the front of an input, the check that
// stops a run with a readable account of a broken invariant, and the round
// trip of a store through the project file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/UserInterface.h"
#include "io/ImportReport.h"
#include "store/ZAVFieldManager.h"

namespace zav::fuzz {

// Messages are counted and dropped (a harness runs millions of inputs);
// questions are answered Yes; the clipboard holds what the harness put there.
class QuietUserInterface : public UserInterface {
public:
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    // Choices are cancelled: no harness reaches one.
    std::optional<int> ChooseOne(const std::string&, const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<std::vector<int>> ChooseSeveral(const std::string&,
                                                  const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<std::vector<int>> ChooseToDelete(const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<std::string> GetClipboardText() override { return clipboard; }
    bool SetClipboardText(const std::string& text) override;

    std::optional<std::string> clipboard;
    size_t messages = 0;
    std::string lastMessage;
};

// Takes option bytes from the front of the input; what is left is the text.
// A short input gives zeros, so every input is a valid one.
class OptionBytes {
public:
    OptionBytes(const uint8_t* data, size_t size)
        : m_data(reinterpret_cast<const char*>(data)), m_size(size) {}
    uint8_t Next();
    // A value from 0 to count - 1.
    int Pick(int count) { return Next() % count; }
    std::string Rest() const { return std::string(m_data + m_used, m_size - m_used); }

private:
    const char* m_data;
    size_t m_size;
    size_t m_used = 0;
};

// Prints what broke and aborts, so that the fuzzer keeps the input.
[[noreturn]] void Fail(const char* invariant, const std::string& detail);

#define ZAV_FUZZ_CHECK(condition, detail)            \
    do {                                             \
        if (!(condition)) {                          \
            ::zav::fuzz::Fail(#condition, (detail)); \
        }                                            \
    } while (false)

// Whether two doubles are the same bits (a saved -0 must come back as -0).
bool SameBits(double a, double b);

// Every source, series and point, the units records and the aggregates of
// both stores are the same; fails naming the first difference.
void CheckSameItems(const ZAVFieldManager& expected, const ZAVFieldManager& actual);

// Points of every series are in time order and every time is one a project
// can hold.
void CheckSeriesInOrder(const ZAVFieldManager& store);

// Saves `store`, opens the text again, compares every item, saves again and
// compares the bytes. Returns the saved text.
std::string CheckProjectRoundTrip(const std::string& parseString, const ZAVFieldManager& store);

// Computes a report over the store, for the options in `options`, and fails
// when the table's shape does not follow from the request. Returns the
// table's file text, so that a harness can compare two stores' reports.
std::string ReportText(ZAVFieldManager& store, OptionBytes& options);

// An agency file reader over text already in memory.
using AgencyTextReader = bool (*)(DataSource& source, std::string text, const std::string& path,
                                  UserInterface& ui, ImportReport& report);

// One input of an agency reader's harness: what `read` makes of the bytes
// is added to a project, whose points must be in order, round-trip through
// the project file and make a report. `fileName` names the input.
void CheckAgencyText(AgencyTextReader read, const char* fileName, const uint8_t* data, size_t size);

}  // namespace zav::fuzz
