// zav-cli new OUT.zav: an empty project, as File > New and Save would write it.
#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace zav::cli {

int NewCommand(const Words& words, std::ostream&, std::ostream& err) {
    Arguments args(words, {}, {});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, "new takes one file name: zav-cli new OUT.zav");
    }
    ConsoleUserInterface ui;
    CZAVDoc doc(ui, CliEnvironment());
    doc.OnNewDocument();
    return doc.OnSaveDocument(args.Positional()[0]) ? kOk : kFailed;
}

}  // namespace zav::cli
