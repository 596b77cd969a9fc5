// zav-cli generate PROJECT.zav --dir DIR: "Generate new data files for each
// station" into DIR, which must be an existing folder. The project is not
// changed.
#include <sys/stat.h>

#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace zav::cli {

namespace {
bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

int GenerateCommand(const Words& words, std::ostream&, std::ostream& err) {
    Arguments args(words, {}, {"--dir"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    const auto dir = args.Value("--dir");
    if (args.Positional().size() != 1 || !dir) {
        return Usage(err,
                     "generate takes one project and a folder: zav-cli generate PROJECT.zav "
                     "--dir DIR");
    }
    // The folder browser only offers folders that exist.
    if (!IsFolder(*dir)) {
        return Usage(err, "--dir must name an existing folder: " + *dir);
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, args.Positional()[0]);
    if (!doc) {
        return kFailed;
    }
    return doc->GenerateStationFiles(*dir) == 0 ? kOk : kFailed;
}

}  // namespace zav::cli
