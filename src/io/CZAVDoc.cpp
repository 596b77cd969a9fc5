#include "io/CZAVDoc.h"

#include <unistd.h>

#include <algorithm>

#include "core/FileIO.h"
#include "core/InputError.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/AgencyFile.h"
#include "io/GeneratedFiles.h"
#include "io/ImportReport.h"
#include "io/ParsedColumns.h"
#include "io/ProjectFile.h"
#include "io/StationBlocks.h"

namespace zav {

const char* const kDefaultParseString = "MM/DD/[YY]YY\tVALUE\tSKIP\tSKIP\tSKIP";

std::string CenturyMergeMessage(size_t merged) {
    if (merged == 1) {
        return "Add Century moved 1 point onto a time that already had a point; the moved point "
               "replaced it.";
    }
    return "Add Century moved " + std::to_string(merged) +
           " points onto times that already had a point; each moved point replaced the one "
           "there.";
}

void ApplyWorkingDirectoryRule(const std::string& zavCwdSetting,
                               const std::string& fallbackFolder) {
    const std::string& target = zavCwdSetting.empty() ? fallbackFolder : zavCwdSetting;
    if (::chdir(target.c_str()) != 0) {
        // The directory stays what it was.
    }
}

CZAVDoc::CZAVDoc(UserInterface& ui, const DocumentEnvironment& environment)
    : m_ui(ui),
      m_store(ui),
      m_conversionsLocation(LocateConversions(environment.programDir, environment.userDataHome)),
      m_parseString(kDefaultParseString) {
    if (environment.applyWorkingDirectory) {
        ApplyWorkingDirectoryRule(environment.zavCwdSetting,
                                  ProgramFolder(environment.programDir, "examples"));
    }
}

// An installed program's per-user copy is made the first time it is needed.
// When it cannot be, the standard table itself is shown, and a save leaves
// the per-user file alone: writing it would hide the standard table behind
// whatever the person had then.
void CZAVDoc::ReadConversions() {
    m_conversionsReady = PrepareConversionsFile(m_conversionsLocation, m_ui);
    const std::string& from = m_conversionsReady || m_conversionsLocation.seedFrom.empty()
                                  ? m_conversionsLocation.path
                                  : m_conversionsLocation.seedFrom;
    m_conversions.ReadConversions(from, m_ui);
}

bool CZAVDoc::OnNewDocument() {
    ReadConversions();
    m_unrecordedChange = false;
    m_history.Clear();
    return true;
}

bool CZAVDoc::OnOpenDocument(const std::string& path, Progress& progress) {
    const std::string cannotOpen = "Unable to open " + path + " for reading.";
    TextReader in;
    in.SetProgress(progress);
    if (ReadResult result = in.OpenFile(path); result != ReadResult::kOk) {
        m_ui.ShowMessage(ReadFailureMessage(result, path, cannotOpen));
        return false;
    }
    // Read into a fresh store so that a damaged file changes nothing.
    ZAVFieldManager loaded(m_ui);
    std::string parseString;
    ImportReport report;
    report.StartInput(path);
    try {
        ReadProjectFile(in, parseString, loaded, report);
    } catch (const InputError& error) {
        if (in.Cancelled()) {
            return false;
        }
        // A file cut short or unreadable says so rather than naming the
        // item it stopped at.
        m_ui.ShowMessage(in.ReadFailed() ? ReadFailureMessage(in.FileStatus(), path, cannotOpen)
                                         : error.Message());
        return false;
    }
    if (in.Cancelled() || progress.Cancelled()) {
        return false;
    }
    // A file that fails part way is refused as a whole, as it always was.
    if (in.ReadFailed()) {
        m_ui.ShowMessage(ReadFailureMessage(in.FileStatus(), path, cannotOpen));
        return false;
    }
    m_store.TakeContentsFrom(loaded);
    m_parseString = std::move(parseString);
    m_pathName = path;
    m_unrecordedChange = false;
    m_history.Clear();
    m_conversions.Clear();
    ReadConversions();
    if (report.Skipped() > 0) {
        report.AddValues(m_store.PointCount());
        m_ui.ShowMessage(ImportMessage(report));
    }
    StateChanged();
    return true;
}

std::string CZAVDoc::ProjectText() const {
    return ProjectFileText(m_parseString, m_store);
}

void CZAVDoc::WriteProject(PieceWriter& out) const {
    WriteProjectFile(out, m_parseString, m_store);
}

namespace {
std::string SaveFailureMessage(WriteResult result, const std::string& path) {
    switch (result) {
        case WriteResult::kCannotWrite:
            return "Unable to write " + path + "; the file on disk was left as it was.";
        case WriteResult::kFolder:
        case WriteResult::kNotRegularFile:
            return NotRegularFileMessage(path, result == WriteResult::kFolder);
        default:
            return "Unable to open " + path + " for writing.";
    }
}
}  // namespace

// The project comes first, so that a save that fails writes nothing at all.
bool CZAVDoc::OnSaveDocument(const std::string& path, Progress& progress) {
    // Written as it is formatted: the text of a large project is never
    // held whole beside the store.
    const WriteResult result = WriteFileSafely(
        path, [this](PieceWriter& out) { WriteProject(out); }, progress);
    if (result == WriteResult::kCancelled) {
        return false;
    }
    if (result != WriteResult::kOk) {
        m_ui.ShowMessage(SaveFailureMessage(result, path));
        return false;
    }
    m_pathName = path;
    SetModifiedFlag(false);
    if (!m_conversionsReady) {
        m_ui.ShowMessage("The project was saved. The standard conversions were not: " +
                         m_conversionsLocation.path + " could not be made.");
    } else if (m_conversions.FileReadWhole()) {
        m_conversions.WriteConversions(m_conversionsLocation.path, m_ui);
    } else {
        m_ui.ShowMessage("The project was saved. The standard conversions were not: " +
                         m_conversionsLocation.path +
                         " could not be read whole, so it was left as it is.");
    }
    return true;
}

namespace {
// The report to fill: the caller's, or one nobody reads.
ImportReport& Account(ImportReport* report, ImportReport& unread) {
    return report != nullptr ? *report : unread;
}
}  // namespace

int CZAVDoc::AddAgencyFiles(const std::vector<std::string>& paths, ImportReport* report,
                            Progress& progress) {
    ImportReport unread;
    int added = 0;
    PerformUnlessCancelled("Add MOLVAN or PELLIDOR Files", progress, [&] {
        for (size_t n = 0; n < paths.size() && !progress.Cancelled(); ++n) {
            ProgressShare share(progress, n, paths.size());
            added += AddAgencyFile(m_store, paths[n], Account(report, unread), share);
        }
        return added > 0;
    });
    if (progress.Cancelled()) {
        return 0;
    }
    // Marked even when nothing was chosen, as the menu command always has.
    if (added == 0) {
        SetModifiedFlag();
    }
    return added;
}

int CZAVDoc::AddSpreadsheetFiles(const std::vector<std::string>& paths,
                                 const SpreadsheetOptions& options, ImportReport* report,
                                 Progress& progress) {
    ImportReport unread;
    int added = 0;
    PerformUnlessCancelled("Add From Spreadsheet", progress, [&] {
        for (size_t n = 0; n < paths.size() && !progress.Cancelled(); ++n) {
            ProgressShare share(progress, n, paths.size());
            added += AddSpreadsheetFile(m_store, paths[n], options, Account(report, unread), share);
        }
        return added > 0;
    });
    if (progress.Cancelled()) {
        return 0;
    }
    if (added == 0) {
        SetModifiedFlag();
    }
    return added;
}

CsvAddResult CZAVDoc::AddCsvFiles(const std::vector<std::string>& paths,
                                  const CsvImportOptions& options, ImportReport* report,
                                  Progress& progress) {
    ImportReport unread;
    CsvAddResult result;
    PerformUnlessCancelled("Add From CSV", progress, [&] {
        result = zav::AddCsvFiles(m_store, paths, options, Account(report, unread), progress);
        return result.added > 0;
    });
    if (progress.Cancelled()) {
        result.added = 0;
        result.cancelled = true;
    }
    return result;
}

int CZAVDoc::AddClipboardData(const SpreadsheetOptions& options, ImportReport* report) {
    ImportReport unread;
    int added = 0;
    Perform("Add From Clipboard", 0, [&] {
        added = zav::AddClipboardData(m_store, options, Account(report, unread));
        return added > 0;
    });
    if (added == 0) {
        SetModifiedFlag();
    }
    return added;
}

std::vector<std::string> CZAVDoc::ChooseColumnParameters() {
    std::vector<IndexInfo> infos;
    m_store.GetInfoList(infos, kParameterType);
    std::vector<std::string> names;
    for (const IndexInfo& info : infos) {
        names.push_back(info.name);
    }
    std::vector<std::string> chosen;
    const int columns = CountValueColumns(m_parseString);
    for (int k = 0; k < columns; ++k) {
        std::optional<int> pick =
            names.empty() ? std::nullopt : m_ui.ChooseOne("Choose Parameter(s)", names);
        bool valid = pick && *pick >= 0 && static_cast<size_t>(*pick) < names.size();
        chosen.push_back(valid ? names[static_cast<size_t>(*pick)] : std::string());
    }
    return chosen;
}

// The columns of one input are one station: the first column's, unless a
// parameter comes twice. The input is read whole before any station is
// made, so one that gives no value leaves none behind.
bool CZAVDoc::AddParsedText(const std::string& name, TextReader& in,
                            const std::vector<std::string>& columnParameters,
                            ImportReport& report) {
    const size_t columns =
        std::min(columnParameters.size(), static_cast<size_t>(CountValueColumns(m_parseString)));
    std::vector<bool> wanted(columns, false);
    for (size_t k = 0; k < columns; ++k) {
        wanted[k] = !columnParameters[k].empty();
    }
    if (std::find(wanted.begin(), wanted.end(), true) == wanted.end()) {
        return true;
    }
    report.StartInput(name);
    std::vector<DataSeries> read;
    bool ok = ReadParsedColumns(m_parseString, in, wanted, read, m_ui, report);
    if (in.Cancelled()) {
        return false;  // the caller takes back the whole operation
    }
    // A file that failed part way gives nothing, as when it was read whole
    // before any of it was used.
    if (in.ReadFailed()) {
        m_ui.ShowMessage(ReadFailureMessage(in.FileStatus(), name,
                                            "Unable to open file " + name + " for input."));
        report.MarkFailed();
        return false;
    }
    size_t points = 0;
    for (const DataSeries& column : read) {
        points += column.Size();
    }
    report.AddValues(points);
    if (points == 0) {
        return false;
    }
    std::string inputStation;
    for (size_t k = 0; k < columns; ++k) {
        const std::string& parameter = columnParameters[k];
        if (!wanted[k]) {
            continue;
        }
        std::string station = m_store.CreateStationForParameter(
            parameter, inputStation.empty() ? "station1" : inputStation);
        if (station.empty()) {
            ok = false;
            continue;
        }
        if (inputStation.empty()) {
            inputStation = station;
        }
        // The column's masks are all 0, as every point added so is given.
        m_store.FindSeries(station, parameter)->InsertPoints(read[k]);
    }
    return ok;
}

// A parse string without a date token could give no row a date; it is
// refused once, before any input is read, unless no column is to be read.
bool CZAVDoc::CanReadParsedColumns(const std::vector<std::string>& columnParameters) {
    const bool anyColumn =
        std::any_of(columnParameters.begin(), columnParameters.end(),
                    [](const std::string& parameter) { return !parameter.empty(); });
    if (!anyColumn || HasDateToken(m_parseString)) {
        return true;
    }
    m_ui.ShowMessage(kNoDateTokenMessage);
    return false;
}

bool CZAVDoc::AddParsedSpreadsheetFiles(const std::vector<std::string>& paths,
                                        const std::vector<std::string>& columnParameters,
                                        ImportReport* report, Progress& progress) {
    if (paths.empty() || !CanReadParsedColumns(columnParameters)) {
        return paths.empty();
    }
    ImportReport unread;
    bool ok = true;
    const size_t before = SeriesTotal();
    PerformUnlessCancelled("Add From Spreadsheet", progress, [&] {
        for (size_t n = 0; n < paths.size() && !progress.Cancelled(); ++n) {
            ProgressShare share(progress, n, paths.size());
            const std::string& path = paths[n];
            TextReader in;
            if (!LoadAgencyText(in, path, m_ui, share)) {
                ok = false;
                continue;
            }
            ok = AddParsedText(path, in, columnParameters, Account(report, unread)) && ok;
        }
        return SeriesTotal() != before;
    });
    return ok && !progress.Cancelled();
}

bool CZAVDoc::AddParsedClipboard(const std::vector<std::string>& columnParameters,
                                 ImportReport* report) {
    if (!CanReadParsedColumns(columnParameters)) {
        return false;
    }
    ImportReport unread;
    std::optional<std::string> text = ReadClipboard(m_ui);
    if (!text) {
        return false;
    }
    bool ok = false;
    const size_t before = SeriesTotal();
    Perform("Add From Clipboard", 0, [&] {
        TextReader in(std::move(*text));
        ok = AddParsedText(kClipboardInput, in, columnParameters, Account(report, unread));
        return SeriesTotal() != before;
    });
    return ok;
}

void CZAVDoc::AddCentury(int lastYear, Progress& progress) {
    size_t merged = 0;
    PerformUnlessCancelled("Add Century", progress, [&] {
        merged = m_store.AddCentury(lastYear, progress);
        return true;
    });
    if (progress.Cancelled()) {
        return;
    }
    // A value replaced this way is gone from the project: say so.
    if (merged > 0) {
        m_ui.ShowMessage(CenturyMergeMessage(merged));
    }
    NotifyViews(HintDataChanged);
}

int CZAVDoc::LastYearOfData() const {
    int firstDay = 0, firstMonth = 0, firstYear = -1, lastDay = 0, lastMonth = 0, lastYear = -1;
    m_store.GetDateRange(firstDay, firstMonth, firstYear, lastDay, lastMonth, lastYear);
    return lastYear;
}

int CZAVDoc::GenerateStationFiles(const std::string& folder) {
    return WriteSourceFiles(m_store, folder, m_ui);
}

namespace {
// A Perform step: the project before and after the operation. The store's
// series share their points with the project, so a step holds copies only
// of the series the operation changed.
class ContentsStep : public UndoStep {
public:
    ContentsStep(std::string name, CZAVDoc::Contents before, CZAVDoc::Contents after)
        : UndoStep(std::move(name)), m_before(std::move(before)), m_after(std::move(after)) {}
    void Undo(CZAVDoc& doc) override { doc.RestoreContents(m_before); }
    void Redo(CZAVDoc& doc) override { doc.RestoreContents(m_after); }

private:
    CZAVDoc::Contents m_before;
    CZAVDoc::Contents m_after;
};
}  // namespace

CZAVDoc::Contents CZAVDoc::SaveContents() const {
    return Contents{m_store.SaveContents(), m_conversions, m_parseString};
}

void CZAVDoc::RestoreContents(const Contents& contents) {
    m_store.RestoreContents(contents.store);
    m_conversions = contents.conversions;
    m_parseString = contents.parseString;
}

std::unique_ptr<CZAVDoc> CZAVDoc::MakeScratch() const {
    DocumentEnvironment here;
    here.applyWorkingDirectory = false;
    auto scratch = std::make_unique<CZAVDoc>(m_ui, here);
    scratch->m_conversionsLocation = m_conversionsLocation;
    scratch->m_conversionsReady = m_conversionsReady;
    scratch->m_pathName = m_pathName;
    scratch->RestoreContents(SaveContents());
    return scratch;
}

bool CZAVDoc::AdoptScratch(const CZAVDoc& scratch) {
    if (scratch.m_history.CanUndo()) {
        const Contents after = scratch.SaveContents();
        Perform(scratch.m_history.UndoName(), 0, [&] {
            RestoreContents(after);
            return true;
        });
        return true;
    }
    if (scratch.m_unrecordedChange) {
        SetModifiedFlag();
        return true;
    }
    return false;
}

namespace {
// Thrown out of a change when the work was cancelled, so that Perform puts
// back what the change had done.
struct WorkCancelled {};
}  // namespace

bool CZAVDoc::PerformUnlessCancelled(const std::string& name, Progress& progress,
                                     const std::function<bool()>& change) {
    try {
        return Perform(name, 0, [&] {
            const bool changed = change();
            if (progress.Cancelled()) {
                throw WorkCancelled{};
            }
            return changed;
        });
    } catch (const WorkCancelled&) {
        return false;
    }
}

bool CZAVDoc::Perform(const std::string& name, int hint, const std::function<bool()>& change) {
    if (m_performing > 0) {
        return change();
    }
    Contents before = SaveContents();
    ++m_performing;
    bool changed = false;
    try {
        changed = change();
    } catch (...) {
        // Whatever the failed operation had done is taken back.
        --m_performing;
        RestoreContents(before);
        throw;
    }
    --m_performing;
    if (changed) {
        Record(std::make_unique<ContentsStep>(name, std::move(before), SaveContents()), hint);
    }
    return changed;
}

void CZAVDoc::Record(std::unique_ptr<UndoStep> step, int hint) {
    m_history.Push(std::move(step));
    if (hint != 0) {
        NotifyViews(hint);
    }
    StateChanged();
}

bool CZAVDoc::Undo() {
    if (!m_history.Undo(*this)) {
        return false;
    }
    NotifyViews(HintDataChanged);
    StateChanged();
    return true;
}

bool CZAVDoc::Redo() {
    if (!m_history.Redo(*this)) {
        return false;
    }
    NotifyViews(HintDataChanged);
    StateChanged();
    return true;
}

void CZAVDoc::SetModifiedFlag(bool modified) {
    m_unrecordedChange = modified;
    if (modified) {
        m_history.MarkNoneClean();
    } else {
        m_history.MarkClean();
    }
    StateChanged();
}

void CZAVDoc::StateChanged() {
    std::vector<DocumentObserver*> observers = m_observers;
    for (DocumentObserver* observer : observers) {
        observer->OnDocumentStateChanged();
    }
}

size_t CZAVDoc::SeriesTotal() const {
    return static_cast<size_t>(m_store.SeriesCount());
}

void CZAVDoc::AddObserver(DocumentObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void CZAVDoc::RemoveObserver(DocumentObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void CZAVDoc::NotifyViews(int hint) {
    // A copy: an observer may close its view, and so remove itself, while
    // it is being told.
    std::vector<DocumentObserver*> observers = m_observers;
    for (DocumentObserver* observer : observers) {
        observer->OnDocumentUpdate(hint);
    }
}

}  // namespace zav
