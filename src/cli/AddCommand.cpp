// zav-cli add PROJECT.zav FILE... [-o OUT.zav]: adds agency files as the Data
// menu command does and saves the project.
#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace zav::cli {

int AddCommand(const Words& words, std::ostream&, std::ostream& err) {
    Arguments args(words, {}, {"-o"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    const auto& positional = args.Positional();
    if (positional.size() < 2) {
        return Usage(err,
                     "add takes a project and files: zav-cli add PROJECT.zav FILE... [-o OUT.zav]");
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, positional[0]);
    if (!doc) {
        return kFailed;
    }
    std::vector<std::string> files(positional.begin() + 1, positional.end());
    const size_t pointsBefore = doc->FieldManager().PointCount();
    int added = doc->AddAgencyFiles(files);
    // Saving a project that gained nothing would only hide the failure.
    if (doc->FieldManager().PointCount() == pointsBefore) {
        err << "No data were read from the files given; the project was not saved.\n";
        return kFailed;
    }
    // The files that were read are kept even when another one failed, as in
    // the desktop program; the exit status tells the script about the rest.
    std::string out = args.Value("-o").value_or(positional[0]);
    if (!doc->OnSaveDocument(out)) {
        return kFailed;
    }
    return added == static_cast<int>(files.size()) ? kOk : kFailed;
}

}  // namespace zav::cli
