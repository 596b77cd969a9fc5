// CZAVDoc: one open project. It owns the store, the standard conversions and
// the spreadsheet parse string, knows whether it has unsaved changes, and
// tells its observers (the views) what changed. It has no windows: the
// desktop program binds it to them, zav-cli drives it directly.
#pragma once

#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/TextReader.h"
#include "io/ConversionTable.h"
#include "io/Spreadsheet.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class ImportReport;
class UserInterface;

// What a view is told after a change. HintResultsOutOfDate: values, masks,
// scaling, units or names changed while a page goes on editing; what was
// computed from them before is out of date, and a full reload follows when
// that page is left.
enum ViewHint { HintDataChanged = 1, HintAggregatesChanged = 2, HintResultsOutOfDate = 3 };

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void OnDocumentUpdate(int hint) = 0;
};

// Where the program runs: its own folder (conversions file, examples
// fallback) and the "ZAV CWD" setting.
struct DocumentEnvironment {
    std::string programDir;     // with a trailing separator
    std::string zavCwdSetting;  // empty: the examples folder beside the program's
    bool applyWorkingDirectory = true;
};

// The working-directory rule: "ZAV CWD" when set, otherwise `fallbackBase`
// followed by "../examples". A failed change leaves the directory as it was.
void ApplyWorkingDirectoryRule(const std::string& zavCwdSetting, const std::string& fallbackBase);

extern const char* const kDefaultParseString;

// What Add Century says when `merged` moved points landed on the times of
// points that stayed, which they replaced.
std::string CenturyMergeMessage(size_t merged);

class CZAVDoc {
public:
    CZAVDoc(UserInterface& ui, const DocumentEnvironment& environment);
    CZAVDoc(const CZAVDoc&) = delete;
    CZAVDoc& operator=(const CZAVDoc&) = delete;

    // New: reads the standard conversions (a missing file only warns).
    bool OnNewDocument();
    // Open: reads the project; on failure (after the message) the document
    // is left exactly as it was. Stored values that are not numbers (nan,
    // inf) are not loaded; one message says how many and where.
    bool OnOpenDocument(const std::string& path);
    // Save: writes the project beside the old file and replaces it only
    // when the new one is complete, then the conversions. A failed save
    // writes neither; a conversions file that was not read whole is left as
    // it is, and the person is told so.
    bool OnSaveDocument(const std::string& path);
    // The operations that add inputs account for every input in `report`
    // when one is given: what each read, and what it skipped and where. The
    // caller shows ImportMessage(report) once the import is done.

    // Data > Add MOLVAN or PELLIDOR format, after the file dialog: reads each
    // file into a new source (one that fails does not stop the others) and
    // sets the modified flag. Returns the number of files added.
    int AddAgencyFiles(const std::vector<std::string>& paths, ImportReport* report = nullptr);

    // Data > Add From Spreadsheet, layouts 1 and 2, after the file dialog:
    // each file that is read becomes a source (one that fails does not stop
    // the others). Sets the modified flag; returns the number of files added.
    int AddSpreadsheetFiles(const std::vector<std::string>& paths,
                            const SpreadsheetOptions& options, ImportReport* report = nullptr);
    // The same from the clipboard's text; 1 when it was added.
    int AddClipboardData(const SpreadsheetOptions& options, ImportReport* report = nullptr);
    // Layout 3: asks "Choose Parameter(s)" once per "VALUE" column of the
    // parse string; the parameter chosen for each column, "" where the
    // choice was cancelled.
    std::vector<std::string> ChooseColumnParameters();
    // Layout 3 from each file in turn (no files: nothing happens), or from
    // the clipboard: for every "VALUE" column k with a parameter in
    // columnParameters[k-1], a new station for that parameter and column k
    // read into it. Columns without a parameter are skipped. An input from
    // which no value could be read makes no station. A parse string without
    // a date token is refused with kNoDateTokenMessage before anything is
    // read. Sets the modified flag when a station was made. True when every
    // input was read, gave values, and every column was imported.
    bool AddParsedSpreadsheetFiles(const std::vector<std::string>& paths,
                                   const std::vector<std::string>& columnParameters,
                                   ImportReport* report = nullptr);
    bool AddParsedClipboard(const std::vector<std::string>& columnParameters,
                            ImportReport* report = nullptr);

    // Data > Add Century, after its dialog: moves points of years up to
    // `lastYear` forward by 100 years, sets the modified flag and tells the
    // views (HintDataChanged).
    void AddCentury(int lastYear);
    // The year the century dialog offers: the last year of data, -1 when
    // the project has no points.
    int LastYearOfData() const;
    // Generate new data files for each station, into `folder` (the working
    // directory is left alone). Returns the number of files not written.
    int GenerateStationFiles(const std::string& folder);

    // The project file text, as Save writes it.
    std::string ProjectText() const;
    // The same, piece by piece, as Save writes it.
    void WriteProjectText(PieceWriter& out) const;

    ZAVFieldManager& FieldManager() { return m_store; }
    const ZAVFieldManager& FieldManager() const { return m_store; }
    ConversionTable& Conversions() { return m_conversions; }
    const std::string& ConversionsPath() const { return m_conversionsPath; }
    const std::string& ParseString() const { return m_parseString; }
    void SetParseString(std::string text) { m_parseString = std::move(text); }
    UserInterface& UI() const { return m_ui; }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::string& PathName() const { return m_pathName; }
    void SetPathName(std::string path) { m_pathName = std::move(path); }

    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);
    void NotifyViews(int hint);

private:
    // `in` is a file's reader or the clipboard's text.
    bool AddParsedText(const std::string& name, TextReader& in,
                       const std::vector<std::string>& columnParameters, ImportReport& report);
    bool CanReadParsedColumns(const std::vector<std::string>& columnParameters);

    UserInterface& m_ui;
    ZAVFieldManager m_store;
    ConversionTable m_conversions;
    std::string m_conversionsPath;
    std::string m_parseString;
    std::string m_pathName;
    bool m_modified = false;
    std::vector<DocumentObserver*> m_observers;
};

}  // namespace zav
