#include "io/AgencyFile.h"

#include "core/FileIO.h"
#include "core/UserInterface.h"
#include "io/ImportReport.h"
#include "io/MolvanReader.h"
#include "io/PellidorReader.h"

namespace zav {

bool LoadAgencyText(TextReader& in, const std::string& path, UserInterface& ui) {
    std::string text;
    if (!ReadUserFile(path, text, ui, "Unable to open file " + path + " for input.")) {
        return false;
    }
    in.SetText(std::move(text));
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
