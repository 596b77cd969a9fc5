// zav-cli: the program's own operations from the shell, for batch work.
#include <iostream>

#include "cli/CommandTable.h"

int main(int argc, char** argv) {
    return zav::cli::RunCommandLine(zav::cli::Words(argv + 1, argv + argc), std::cout, std::cerr);
}
