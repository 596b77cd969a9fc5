#include "io/AgencyFile.h"

#include "core/FileIO.h"
#include "core/UserInterface.h"
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

bool ReadAgencyFile(DataSource& source, const std::string& path, UserInterface& ui) {
    source.fileName = path;
    // The MOLVAN test comes first, so a ".mlv" anywhere in the path (a folder
    // name included) wins over a ".pld" extension.
    if (path.find(".mlv") != std::string::npos) {
        return ReadMolvanFile(source, path, ui);
    }
    if (path.find(".pld") != std::string::npos) {
        return ReadPellidorFile(source, path, ui);
    }
    ui.ShowMessage("ReadFile: unknown file type; must be either MOLVAN (.mlv) or PELLIDOR (.pld).");
    return false;
}

int AddAgencyFile(ZAVFieldManager& store, const std::string& path) {
    DataSource source;
    if (!ReadAgencyFile(source, path, store.UI())) {
        return 0;
    }
    return store.AddSource(std::move(source));
}

}  // namespace zav
