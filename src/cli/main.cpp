// zav-cli: the program's own operations from the shell, for batch work.
#include <iostream>
#include <map>

#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace {

const char* const kHelp =
    "Usage:\n"
    "  zav-cli info PROJECT.zav [--json]\n"
    "  zav-cli new OUT.zav\n"
    "  zav-cli add PROJECT.zav FILE... [-o OUT.zav]\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace zav::cli;
    const std::map<std::string, int (*)(const Words&, std::ostream&, std::ostream&)> commands = {
        {"add", &AddCommand},
        {"info", &InfoCommand},
        {"new", &NewCommand},
    };
    if (argc < 2) {
        std::cerr << kHelp;
        return kUsage;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << kHelp;
        return kOk;
    }
    auto command = commands.find(name);
    if (command == commands.end()) {
        std::cerr << "zav-cli: unknown command '" << name << "'\n" << kHelp;
        return kUsage;
    }
    Words words(argv + 2, argv + argc);
    return command->second(words, std::cout, std::cerr);
}
