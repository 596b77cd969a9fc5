// CZAVDoc: one open project. It owns the store, the standard conversions and
// the spreadsheet parse string, knows whether it has unsaved changes, and
// tells its observers (the views) what changed. It has no windows: the
// desktop program binds it to them, zav-cli drives it directly.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/ProgramFiles.h"
#include "core/Progress.h"
#include "core/TextReader.h"
#include "io/ConversionTable.h"
#include "io/CsvImport.h"
#include "io/Spreadsheet.h"
#include "io/UndoStack.h"
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
    // The modified flag, or what Undo and Redo would do, changed.
    virtual void OnDocumentStateChanged() {}
};

// Where the program runs: its own folder (conversions file, examples
// fallback), the person's data folder (the conversions of an installed
// program, see ProgramFiles) and the "ZAV CWD" setting.
struct DocumentEnvironment {
    std::string programDir;     // with a trailing separator
    std::string userDataHome;   // UserDataHome(); empty: the file stays beside the program
    std::string zavCwdSetting;  // empty: the program's examples folder
    bool applyWorkingDirectory = true;
};

// The working-directory rule: "ZAV CWD" when set, otherwise
// `fallbackFolder`. A failed change leaves the directory as it was.
void ApplyWorkingDirectoryRule(const std::string& zavCwdSetting, const std::string& fallbackFolder);

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
    // inf) are not loaded; one message says how many and where. The
    // reading reports its bytes to `progress`; when it is cancelled the
    // document is left as it was, without a message.
    bool OnOpenDocument(const std::string& path, Progress& progress = NoProgress());
    // Save: writes the project beside the old file and replaces it only
    // when the new one is complete, then the conversions. A failed save
    // writes neither; a conversions file that was not read whole (or a
    // per-user copy that could not be made) is left as it is, and the
    // person is told so. A save cancelled through `progress` leaves the
    // old file as it was, no temporary file and no message.
    bool OnSaveDocument(const std::string& path, Progress& progress = NoProgress());
    // The operations below that take a `progress` report the bytes of the
    // file being read; cancelled, they add nothing (what was read of the
    // files before is taken back) and return 0 or false without a message.
    // The operations that add inputs account for every input in `report`
    // when one is given: what each read, and what it skipped and where. The
    // caller shows ImportMessage(report) once the import is done.
    // They and Add Century report through `progress` and stop when it is
    // cancelled; a cancelled operation changes nothing (contents, undo
    // history, modified flag).

    // Data > Add MOLVAN or PELLIDOR format, after the file dialog: reads each
    // file into a new source (one that fails does not stop the others) and
    // sets the modified flag. Returns the number of files added.
    int AddAgencyFiles(const std::vector<std::string>& paths, ImportReport* report = nullptr,
                       Progress& progress = NoProgress());

    // Data > Add From Spreadsheet, layouts 1 and 2, after the file dialog:
    // each file that is read becomes a source (one that fails does not stop
    // the others). Sets the modified flag; returns the number of files added.
    int AddSpreadsheetFiles(const std::vector<std::string>& paths,
                            const SpreadsheetOptions& options, ImportReport* report = nullptr,
                            Progress& progress = NoProgress());
    // The same from the clipboard's text; 1 when it was added.
    int AddClipboardData(const SpreadsheetOptions& options, ImportReport* report = nullptr);
    // Data > Add From CSV and zav-cli import: the files' columns as
    // `options` names them (see AddCsvFiles). Sets the modified flag when a
    // file was added.
    CsvAddResult AddCsvFiles(const std::vector<std::string>& paths, const CsvImportOptions& options,
                             ImportReport* report = nullptr, Progress& progress = NoProgress());
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
                                   ImportReport* report = nullptr,
                                   Progress& progress = NoProgress());
    bool AddParsedClipboard(const std::vector<std::string>& columnParameters,
                            ImportReport* report = nullptr);

    // Data > Add Century, after its dialog: moves points of years up to
    // `lastYear` forward by 100 years, sets the modified flag and tells the
    // views (HintDataChanged).
    void AddCentury(int lastYear, Progress& progress = NoProgress());
    // The year the century dialog offers: the last year of data, -1 when
    // the project has no points.
    int LastYearOfData() const;
    // Generate new data files for each station, into `folder` (the working
    // directory is left alone). Returns the number of files not written.
    int GenerateStationFiles(const std::string& folder);

    // The project file text, as Save writes it.
    std::string ProjectText() const;
    // The same text, handed to `out` as it is formatted.
    void WriteProject(PieceWriter& out) const;

    ZAVFieldManager& FieldManager() { return m_store; }
    const ZAVFieldManager& FieldManager() const { return m_store; }
    ConversionTable& Conversions() { return m_conversions; }
    const std::string& ConversionsPath() const { return m_conversionsLocation.path; }
    const std::string& ParseString() const { return m_parseString; }
    void SetParseString(std::string text) { m_parseString = std::move(text); }
    UserInterface& UI() const { return m_ui; }

    // --- operations and undo -----------------------------------------------
    // Every change to the project goes through Perform (or Record): the
    // change is kept as one undo step named `name` ("Rename Station"), the
    // project becomes modified and the views are told `hint` (0: nobody, the
    // caller shows the change itself). `change` returns false when it
    // changed nothing; nothing is recorded then. An operation run from
    // within another is part of it.
    bool Perform(const std::string& name, int hint, const std::function<bool()>& change);
    // Keeps a step whose change the caller has made already (edits that
    // keep only the points they touched), with the same effects.
    void Record(std::unique_ptr<UndoStep> step, int hint);
    // Takes back / makes again the last operation; every view reloads.
    bool Undo();
    bool Redo();
    const UndoStack& History() const { return m_history; }
    // The step Undo would take back, for a change that belongs with it.
    UndoStep* UndoTop() { return m_history.Top(); }

    // Everything an operation may change, as a value (the store's points
    // shared until changed): what a Perform step keeps before and after.
    struct Contents {
        ZAVFieldManager::Contents store;
        ConversionTable conversions;
        std::string parseString;
    };
    Contents SaveContents() const;
    void RestoreContents(const Contents& contents);

    // Long work away from the windows that show this project: a document
    // with the same contents (the points shared until changed), path and
    // conversions file, but no observers and no history, for another
    // thread to change while this one is only read.
    std::unique_ptr<CZAVDoc> MakeScratch() const;
    // Takes what an operation did to `scratch` as one undo step with the
    // operation's name; a change it made without a step (an add that added
    // nothing) marks this project modified. False when it did neither.
    // The views are not told: the caller does, as after the operation.
    bool AdoptScratch(const CZAVDoc& scratch);

    // Modified: a change since the last save or open that was not undone.
    bool IsModified() const { return m_unrecordedChange || !m_history.IsClean(); }
    // true: changed in a way undo cannot reach back past; false: the
    // project matches its file (after a save).
    void SetModifiedFlag(bool modified = true);
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
    // Perform, with everything `change` did taken back when `progress` was
    // cancelled meanwhile; false then.
    bool PerformUnlessCancelled(const std::string& name, Progress& progress,
                                const std::function<bool()>& change);
    void ReadConversions();
    // Tells the observers when the modified flag or the undo stack changed.
    void StateChanged();
    // The number of series, to see whether an import added any.
    size_t SeriesTotal() const;

    UserInterface& m_ui;
    ZAVFieldManager m_store;
    ConversionTable m_conversions;
    ConversionsLocation m_conversionsLocation;
    bool m_conversionsReady = true;  // the per-user copy exists (or none is needed)
    std::string m_parseString;
    std::string m_pathName;
    bool m_unrecordedChange = false;
    int m_performing = 0;  // depth of Perform calls under way
    UndoStack m_history;
    std::vector<DocumentObserver*> m_observers;
};

}  // namespace zav
