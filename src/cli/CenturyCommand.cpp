// zav-cli century PROJECT.zav --last-year YEAR [-o OUT.zav]: Data > Add
// Century with YEAR entered in its dialog, then saves the project.
#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace zav::cli {

int CenturyCommand(const Words& words, std::ostream&, std::ostream& err) {
    Arguments args(words, {}, {"--last-year", "-o"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err,
                     "century takes one project: zav-cli century PROJECT.zav --last-year YEAR "
                     "[-o OUT.zav]");
    }
    int lastYear = 0;
    const auto year = args.Value("--last-year");
    if (!year || !ParseWholeInt(*year, lastYear)) {
        return Usage(err, "century needs --last-year YEAR, a whole year such as 1930");
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, args.Positional()[0]);
    if (!doc) {
        return kFailed;
    }
    doc->AddCentury(lastYear);
    return SaveProject(*doc, args) ? kOk : kFailed;
}

}  // namespace zav::cli
