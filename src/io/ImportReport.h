// ImportReport: what an import did not take from its inputs. Every reader of
// the program's input formats notes here each cell or line it could not use,
// counted by rule, with the place of the first few, so that nothing is lost
// without the user being told. The desktop shows the rendered text in one
// message after the import; zav-cli prints it on standard error.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// Why a cell or line was not used. The rules up to kNoStation are cells the
// reader could not read (zav-cli --strict fails on them); the others are
// skipped by a rule of the format, the layout or the user's own choice and
// are only counted.
enum class SkipRule {
    kNotANumber,      // a value cell that is not one whole number ("<0.5", "NA", "nan")
    kUnreadableTime,  // a date or time that cannot be read or lies outside years 1000-9999
    kNoSuchDay,       // PELLIDOR: a value in the cell of a day its month does not have
    kNoColumnDate,    // layout 2: a value under a header cell that is not a date
    kNoParameter,     // CSV: a row whose parameter cell is empty
    kOtherUnits,      // CSV: units other than those its series was first given
    kRepeatedTime,    // CSV: a second value at a time its series already has
    kNoStation,       // layout 2 and CSV: a row whose station cells are empty
    kEmptyCell,       // a value cell with nothing in it
    kMinusSign,       // layout 2: a cell that begins with a minus sign
    kMissingValue,    // layout 3: a value of -999 or less
    kCensored,        // CSV: below the detection limit, with --censored skip
};
constexpr size_t kSkipRuleCount = 12;

bool IsUnreadable(SkipRule rule);
// The words the report uses for a rule ("not a number").
const char* SkipRuleText(SkipRule rule);

// Where a cell is: line and column counted from 1, where a column is a cell
// (field) of the line; column 0 where the input has no columns.
struct SkipPlace {
    size_t line = 0;
    size_t column = 0;
    std::string text;
};

class ImportReport {
public:
    // Places kept per rule of one input; the counts go on.
    static constexpr size_t kPlacesKept = 5;

    struct Input {
        std::string name;
        bool failed = false;  // refused with a message of its own
        size_t values = 0;
        std::array<size_t, kSkipRuleCount> counts{};
        std::array<std::vector<SkipPlace>, kSkipRuleCount> places;
        size_t Skipped() const;
    };

    // Begins the account of one input (a path, or "Clipboard"); what is
    // noted afterwards belongs to it.
    void StartInput(std::string name);
    // The current input was refused as a whole and has told the user why.
    void MarkFailed();
    // Values the current input gave to the project.
    void AddValues(size_t count);

    void Skip(SkipRule rule, size_t line, size_t column, std::string_view text);
    // Whether Skip would still keep the place: for callers whose line
    // number or text costs something to find.
    bool WantsPlace(SkipRule rule) const;

    // Adds what `part` noted for its current input to the current input, as
    // if it had been noted here: a piece of an input read on its own, whose
    // lines are counted from its own start, `linesBefore` lines into the
    // input.
    void Absorb(const ImportReport& part, size_t linesBefore = 0);
    // Whether the current input has kept the place of anything skipped.
    bool HasPlaces() const;

    // Totals over every input.
    size_t Count(SkipRule rule) const;
    size_t Unreadable() const;
    size_t Skipped() const;
    size_t Values() const;
    const std::vector<Input>& Inputs() const { return m_inputs; }

private:
    Input& Current();

    std::vector<Input> m_inputs;
};

// How the clipboard is named as an input.
extern const char* const kClipboardInput;

// The message of the report, one paragraph per input that was read but lost
// cells or gave no value; "" when there is nothing to tell.
std::string ImportMessage(const ImportReport& report);

}  // namespace zav
