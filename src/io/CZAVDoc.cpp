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

void ApplyWorkingDirectoryRule(const std::string& zavCwdSetting, const std::string& fallbackBase) {
    std::string target = zavCwdSetting;
    if (target.empty()) {
        target = fallbackBase;
        if (!target.empty() && target.back() != '/') {
            target += '/';
        }
        target += "../examples";
    }
    if (::chdir(target.c_str()) != 0) {
        // The directory stays what it was.
    }
}

CZAVDoc::CZAVDoc(UserInterface& ui, const DocumentEnvironment& environment)
    : m_ui(ui),
      m_store(ui),
      m_conversionsPath(environment.programDir + "unitConversions.txt"),
      m_parseString(kDefaultParseString) {
    if (environment.applyWorkingDirectory) {
        ApplyWorkingDirectoryRule(environment.zavCwdSetting, environment.programDir);
    }
}

bool CZAVDoc::OnNewDocument() {
    m_conversions.ReadConversions(m_conversionsPath, m_ui);
    m_modified = false;
    return true;
}

bool CZAVDoc::OnOpenDocument(const std::string& path) {
    const std::string cannotOpen = "Unable to open " + path + " for reading.";
    TextReader in;
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
        ExpectHeader(in, "spreaadsheetParseString");
        parseString = in.RestOfLine();
        ReadProject(in, loaded, report);
    } catch (const InputError& error) {
        m_ui.ShowMessage(error.Message());
        return false;
    }
    // A file that fails part way is refused as a whole, as it always was.
    if (in.ReadFailed()) {
        m_ui.ShowMessage(cannotOpen);
        return false;
    }
    m_store.TakeContentsFrom(loaded);
    m_parseString = std::move(parseString);
    m_pathName = path;
    m_modified = false;
    m_conversions.Clear();
    m_conversions.ReadConversions(m_conversionsPath, m_ui);
    if (report.Skipped() > 0) {
        report.AddValues(m_store.PointCount());
        m_ui.ShowMessage(ImportMessage(report));
    }
    return true;
}

void CZAVDoc::WriteProjectText(PieceWriter& out) const {
    out.Text() += "spreaadsheetParseString =";
    AppendLineValue(out.Text(), m_parseString);
    out.Text() += kLineEnd;
    WriteProject(out, m_store);
}

std::string CZAVDoc::ProjectText() const {
    std::string out;
    out.reserve(64 + m_store.PointCount() * 56);
    PieceWriter gather(out);
    WriteProjectText(gather);
    return out;
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
bool CZAVDoc::OnSaveDocument(const std::string& path) {
    // Written as it is formatted: the text of a large project is never
    // held whole beside the store.
    const WriteResult result =
        WriteFileSafely(path, [this](PieceWriter& out) { WriteProjectText(out); });
    if (result != WriteResult::kOk) {
        m_ui.ShowMessage(SaveFailureMessage(result, path));
        return false;
    }
    m_pathName = path;
    m_modified = false;
    if (m_conversions.FileReadWhole()) {
        m_conversions.WriteConversions(m_conversionsPath, m_ui);
    } else {
        m_ui.ShowMessage("The project was saved. The standard conversions were not: " +
                         m_conversionsPath + " could not be read whole, so it was left as it is.");
    }
    return true;
}

namespace {
// The report to fill: the caller's, or one nobody reads.
ImportReport& Account(ImportReport* report, ImportReport& unread) {
    return report != nullptr ? *report : unread;
}
}  // namespace

int CZAVDoc::AddAgencyFiles(const std::vector<std::string>& paths, ImportReport* report) {
    ImportReport unread;
    int added = 0;
    for (const std::string& path : paths) {
        added += AddAgencyFile(m_store, path, Account(report, unread));
    }
    // Marked even when nothing was chosen, as the menu command always has.
    m_modified = true;
    return added;
}

int CZAVDoc::AddSpreadsheetFiles(const std::vector<std::string>& paths,
                                 const SpreadsheetOptions& options, ImportReport* report) {
    ImportReport unread;
    int added = 0;
    for (const std::string& path : paths) {
        added += AddSpreadsheetFile(m_store, path, options, Account(report, unread));
    }
    m_modified = true;
    return added;
}

int CZAVDoc::AddClipboardData(const SpreadsheetOptions& options, ImportReport* report) {
    ImportReport unread;
    int added = zav::AddClipboardData(m_store, options, Account(report, unread));
    m_modified = true;
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
    // A file that failed part way gives nothing, as when it was read whole
    // before any of it was used.
    if (in.ReadFailed()) {
        m_ui.ShowMessage("Unable to open file " + name + " for input.");
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
        m_modified = true;
        DataSeries* series = m_store.FindSeries(station, parameter);
        for (size_t i = 0; i < read[k].Size(); ++i) {
            series->InsertPoint(read[k].Time(i), read[k].Value(i), 0);
        }
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
                                        ImportReport* report) {
    if (paths.empty() || !CanReadParsedColumns(columnParameters)) {
        return paths.empty();
    }
    ImportReport unread;
    bool ok = true;
    for (const std::string& path : paths) {
        TextReader in;
        if (!LoadAgencyText(in, path, m_ui)) {
            ok = false;
            continue;
        }
        ok = AddParsedText(path, in, columnParameters, Account(report, unread)) && ok;
    }
    return ok;
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
    TextReader in(std::move(*text));
    return AddParsedText(kClipboardInput, in, columnParameters, Account(report, unread));
}

void CZAVDoc::AddCentury(int lastYear) {
    const size_t merged = m_store.AddCentury(lastYear);
    // A value replaced this way is gone from the project: say so.
    if (merged > 0) {
        m_ui.ShowMessage(CenturyMergeMessage(merged));
    }
    m_modified = true;
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
