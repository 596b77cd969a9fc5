// zav-cli add PROJECT.zav FILE... [--strict] [-o OUT.zav]: adds agency files
// as the Data menu command does and saves the project.
#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace zav::cli {

int AddCommand(const Words& words, std::ostream&, std::ostream& err) {
    Arguments args(words, {"--strict"}, {"-o"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    const auto& positional = args.Positional();
    if (positional.size() < 2) {
        return Usage(err,
                     "add takes a project and files: zav-cli add PROJECT.zav FILE... [--strict] "
                     "[-o OUT.zav]");
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, positional[0]);
    if (!doc) {
        return kFailed;
    }
    std::vector<std::string> files(positional.begin() + 1, positional.end());
    ImportReport report;
    const bool allRead = doc->AddAgencyFiles(files, &report) == static_cast<int>(files.size());
    // The files that were read are kept even when another one failed, as in
    // the desktop program; the exit status tells the script about the rest.
    if (!ImportMaySave(err, report, args.Has("--strict"), allRead) || !SaveProject(*doc, args)) {
        return kFailed;
    }
    return allRead ? kOk : kFailed;
}

}  // namespace zav::cli
