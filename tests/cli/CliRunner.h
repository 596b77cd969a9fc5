// Runs the built zav-cli and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace zav::test {

struct CliResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Arguments are passed to the program as they are, without a shell.
// Standard output goes to `outputPath` when one is given (out stays empty).
CliResult RunCli(const std::vector<std::string>& arguments, const std::string& outputPath = "");

}  // namespace zav::test
