// What every zav-cli command shares: its arguments, the console user
// interface, and opening and saving a project the way the desktop does.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/KTRTime.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/ImportReport.h"

namespace zav::cli {

// Exit statuses.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Arguments after the command name: positional words and "--name value"
// options; flags are options without a value. A word that starts with '-'
// must be one of the command's options, and an option's value must not be
// another of them, so that a mistyped option is a usage error instead of
// passing unnoticed.
class Arguments {
public:
    // `flags` lists the options that take no value, `valueOptions` those
    // that take one.
    Arguments(const std::vector<std::string>& words, const std::vector<std::string>& flags,
              const std::vector<std::string>& valueOptions);

    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(const std::string& option) const;
    std::optional<std::string> Value(const std::string& option) const;
    // Every value given for a repeatable option, in order.
    std::vector<std::string> Values(const std::string& option) const;
    // Every option with its value (empty for a flag), in the order given.
    const std::vector<std::pair<std::string, std::string>>& Options() const { return m_options; }
    const std::string& Error() const { return m_error; }

private:
    std::vector<std::string> m_positional;
    std::vector<std::pair<std::string, std::string>> m_options;
    std::string m_error;
};

// The document environment for batch work: the program's folder for the
// conversions file, and the working directory left alone so that relative
// paths on the command line keep their meaning.
DocumentEnvironment CliEnvironment();

// Opens a project; nullptr (after the program's message on standard error)
// when it cannot be read.
std::unique_ptr<CZAVDoc> OpenProject(UserInterface& ui, const std::string& path);

int Usage(std::ostream& err, const std::string& message);

// A whole integer and nothing else (no blanks, no trailing text).
bool ParseWholeInt(std::string_view text, int& value);

// Saves the project in place or to the "-o" file; false after the message.
bool SaveProject(CZAVDoc& doc, const Arguments& args);

// After "add" or "add-spreadsheet" has read its files: prints the import
// report on `err` and says whether the project may be saved. Not when no
// value was read at all, nor with --strict (`strict`) when a cell could not
// be read or a file (`allRead` false) could not; each is said on `err`.
bool ImportMaySave(std::ostream& err, const ImportReport& report, bool strict, bool allRead);

// What --format asks for.
enum class OutputFormat { kText, kCsv, kJson };

// Reads "--format text|csv|json" into `format` (text when absent); an error
// text when the value is none of them.
std::string ReadOutputFormat(const Arguments& args, OutputFormat& format);

// One CSV record ending in LF; a field holding a comma, a quote or a line
// break is quoted, its quotes doubled.
std::string CsvRecord(const std::vector<std::string>& fields);

// The word of `candidates` nearest to `word` by edit distance (a swap of
// two neighbouring letters counts as one edit), when it is near enough to be
// a slip of the keyboard; empty otherwise.
std::string NearestWord(const std::string& word, const std::vector<std::string>& candidates);

// The whole text a finite number (no blanks around it).
bool ParseNumber(const std::string& text, double& value);

// A date "YYYY-MM-DD" that exists in the years from 1000 on.
bool ParseDate(const std::string& text, int& year, int& month, int& day);
// Which instant of its day a date given without a time of day stands for.
enum class DayEnd { kStart, kEnd };
// A date as ParseDate reads it, alone or followed by "THH:MM" or
// "THH:MM:SS"; a date alone is 00:00:00 of its day, or 23:59:59 with
// DayEnd::kEnd, so that a span "--to 1996-12-31" takes that whole day.
bool ParseDate(const std::string& text, DayEnd end, KTRTime& time);
// The items of a comma-separated list, empty ones included.
std::vector<std::string> SplitItems(const std::string& text);

// "YYYY-MM-DD" for a calendar date.
std::string IsoDate(int year, int month, int day);

}  // namespace zav::cli
