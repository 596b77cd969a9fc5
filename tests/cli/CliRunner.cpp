#include "CliRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestSupport.h"

namespace zav::test {

CliResult RunCli(const std::vector<std::string>& arguments, const std::string& outputPath) {
    TempDir dir;
    std::string outPath = outputPath.empty() ? dir.File("out") : outputPath;
    std::string errPath = dir.File("err");
    pid_t pid = fork();
    if (pid == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0) {
            _exit(126);
        }
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(err, 2);
        // The timer survives exec: a run that hangs (on a FIFO, say) is
        // killed and fails instead of stopping the test program.
        ::alarm(120);
        std::vector<char*> argv;
        std::string program = ZAV_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies = arguments;
        for (std::string& a : copies) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    CliResult result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = outputPath.empty() ? ReadFile(outPath) : std::string();
    result.err = ReadFile(errPath);
    return result;
}

}  // namespace zav::test
