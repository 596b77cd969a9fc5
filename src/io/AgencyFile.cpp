#include "io/AgencyFile.h"

#include "core/FileIO.h"
#include "core/UserInterface.h"
#include "io/ImportReport.h"
#include "io/MolvanReader.h"
#include "io/PellidorReader.h"

namespace zav {

bool LoadAgencyText(TextReader& in, const std::string& path, UserInterface& ui) {
    const ReadResult result = in.OpenFile(path);
    if (result != ReadResult::kOk) {
        ui.ShowMessage(
            ReadFailureMessage(result, path, "Unable to open file " + path + " for input."));
        return false;
    }
    return true;
}

bool ReadToTheEnd(const TextReader& in, const std::string& path, UserInterface& ui) {
    if (in.ReadFailed()) {
        // As when the whole file was read before any of it was used.
        ui.ShowMessage(ReadFailureMessage(in.FileStatus(), path,
                                          "Unable to open file " + path + " for input."));
        return false;
    }
    return true;
}

bool ReadAgencyFile(DataSource& source, const std::string& path, UserInterface& ui,
                    ImportReport& report) {
    source.fileName = path;
    // The MOLVAN test comes first, so a ".mlv" anywhere in the path (a folder
    // name included) wins over a ".pld" extension.
    if (path.find(".mlv") != std::string::npos) {
        return ReadMolvanFile(source, path, ui, report);
    }
    if (path.find(".pld") != std::string::npos) {
        return ReadPellidorFile(source, path, ui, report);
    }
    ui.ShowMessage("ReadFile: unknown file type; must be either MOLVAN (.mlv) or PELLIDOR (.pld).");
    return false;
}

int AddAgencyFile(ZAVFieldManager& store, const std::string& path, ImportReport& report) {
    report.StartInput(path);
    DataSource source;
    if (!ReadAgencyFile(source, path, store.UI(), report)) {
        report.MarkFailed();
        return 0;
    }
    return AddReadSource(store, std::move(source), report);
}

int AddReadSource(ZAVFieldManager& store, DataSource source, ImportReport& report) {
    size_t points = 0;
    for (const DataSeries& series : source.series) {
        points += series.Size();
    }
    report.AddValues(points);
    return store.AddSource(std::move(source));
}

}  // namespace zav
