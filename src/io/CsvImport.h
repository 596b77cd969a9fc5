// CSV import: tidy delimited files (comma, semicolon, tab or pipe, with a
// header row) read into a project, in the long shape (one row per sample,
// parameter from a column) or the wide one (one column per parameter). The
// user names the columns; every cell of them lands in the project, is
// skipped by a rule the user chose (censored values, empty cells) or is
// reported with its line and column. By default a file with any cell that
// cannot be read adds nothing at all.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/KTRTime.h"
#include "core/Progress.h"
#include "io/CsvRecords.h"
#include "io/ImportReport.h"

namespace zav {

class DataSource;
class InputFile;
class ZAVFieldManager;

// What is stored for a value below the detection limit ("<" in its remark
// cell, or before the number).
enum class CensoredRule { kSkip, kLimit, kHalf, kZero };

// Columns are named by their header text, or by their position counted
// from 1 when no header has that text.
struct CsvImportOptions {
    char delimiter = 0;  // ',', ';', '\t' or '|'; 0 detects it
    bool decimalComma = false;
    std::vector<std::string> timeColumns;  // joined with a blank, in order
    std::string timeFormat;                // "" or "auto", or a pattern
    int utcOffsetMinutes = 0;              // where times with an offset are moved
    std::string station;                   // a fixed station, or
    std::string stationColumn;
    std::string parameter;  // fixed; else from parameterColumn; else the value's header
    std::string parameterColumn;
    std::string units;  // fixed; else from unitsColumn; else the parameter's in the project
    std::string unitsColumn;
    std::vector<std::string> valueColumns;
    std::vector<std::string> remarkColumns;  // paired with values by position; "-": none
    std::string maskColumn;                  // whole numbers; empty cells are 0
    CensoredRule censored = CensoredRule::kSkip;
    std::vector<std::string> maskRemarks;  // remark codes whose values are stored masked
    bool skipBad = false;                  // add what was read despite unreadable cells
};

// What one value cell becomes: a point of a station and parameter, or a
// cell skipped by `rule`. A row whose time or station cannot be read gives
// one outcome for that cell.
struct CsvOutcome {
    bool stored = false;
    SkipRule rule = SkipRule::kNotANumber;
    size_t line = 0;
    size_t column = 0;  // of the cell that decided, counted from 1
    std::string_view cell;
    std::string_view station;
    std::string_view parameter;
    std::string_view units;  // "" with unitsFromProject
    bool unitsFromProject = false;
    KTRTime time;
    double value = 0.0;
    int32_t mask = 0;
};

// The header and the first rows as they would be stored, for the desktop's
// preview: each outcome's views are copied into text.
struct CsvPreview {
    std::string error;  // why the file or the columns cannot be used
    char delimiter = ',';
    std::vector<std::string> header;
    struct Row {
        size_t line = 0;
        size_t column = 0;
        std::string station, parameter, units, time, value;
        int32_t mask = 0;
        bool stored = false;
        std::string problem;  // the rule's words, for a cell not stored
        std::string cell;
    };
    std::vector<Row> rows;
};

// The header of a file (after comments, a byte-order mark), for choosing
// columns; the delimiter is detected when `delimiter` is 0.
CsvPreview ReadCsvHeader(std::string_view text, char delimiter);

// Up to `maxRows` outcomes from the start of the file under `options`;
// `store` gives the units of parameters the project has.
CsvPreview PreviewCsv(std::string_view text, const CsvImportOptions& options,
                      const ZAVFieldManager& store, size_t maxRows);

// Reads the whole text into `source`, one series per station and
// parameter, noting every cell not stored in `report` (whose current input
// the caller has started). A second value at a time its series already has
// is reported and the first kept. Returns "" or the message why the columns
// cannot be used, in which case nothing was read. Cancelled through
// `progress`, it stops part way and returns "": the caller drops `source`.
std::string ReadCsvText(DataSource& source, std::string_view text, const CsvImportOptions& options,
                        const ZAVFieldManager& store, ImportReport& report,
                        Progress& progress = NoProgress());

// The same over a file read in pieces (see CsvRecords). When the file
// cannot be read to its end or changes meanwhile the rows end early and
// `file` says so: the caller must not take what was read for the file.
std::string ReadCsvFile(DataSource& source, InputFile& file, const CsvImportOptions& options,
                        const ZAVFieldManager& store, ImportReport& report,
                        size_t pieceSize = CsvRecords::kPieceSize,
                        Progress& progress = NoProgress());

// What adding files did.
struct CsvAddResult {
    int added = 0;           // sources added to the store
    bool allRead = true;     // every file could be opened and its columns used
    bool refused = false;    // unreadable cells (without skipBad): nothing was added
    bool cancelled = false;  // stopped through the progress: nothing was added
};

// Reads every file, each one input of `report`; then, unless a cell could
// not be read and `options.skipBad` is off, adds each file that gave values
// as a source of the store. A file that cannot be opened or lacks a column
// is told through the store's user interface; with skipBad the others are
// still added, without it nothing is. Cancelled through `progress`, it
// adds nothing.
CsvAddResult AddCsvFiles(ZAVFieldManager& store, const std::vector<std::string>& paths,
                         const CsvImportOptions& options, ImportReport& report,
                         Progress& progress = NoProgress());

// Checks the options that do not depend on a file: "" or the message.
std::string CheckCsvOptions(const CsvImportOptions& options);

}  // namespace zav
