// zav-cli run PROJECT SCRIPT [-o OUT.zav] [--dry-run]: the editing commands
// of a command file on one loaded project, saved once at the end.
#include "cli/CommandFile.h"

#include <sstream>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/EditCommands.h"
#include "core/FileIO.h"

namespace zav::cli {

namespace {
const char* const kContinued = "the line ends in a backslash";
}  // namespace

bool SplitCommandLine(const std::string& line, std::vector<std::string>& words,
                      std::string& error) {
    words.clear();
    std::string word;
    bool inWord = false;  // a word is under way, perhaps an empty quoted one
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            if (inWord) {
                words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else if (c == '#' && !inWord) {
            break;
        } else if (c == '\\') {
            if (i + 1 == line.size()) {
                error = kContinued;
                return false;
            }
            word += line[++i];
            inWord = true;
        } else if (c == '\'') {
            const size_t close = line.find('\'', i + 1);
            if (close == std::string::npos) {
                error = "a single quote is not closed";
                return false;
            }
            word += line.substr(i + 1, close - i - 1);
            i = close;
            inWord = true;
        } else if (c == '"') {
            size_t j = i + 1;
            for (; j < line.size() && line[j] != '"'; ++j) {
                if (line[j] == '\\' && j + 1 < line.size() &&
                    std::string("\"\\$`").find(line[j + 1]) != std::string::npos) {
                    ++j;
                }
                word += line[j];
            }
            if (j == line.size()) {
                error = "a double quote is not closed";
                return false;
            }
            i = j;
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return true;
}

namespace {

// One command of the file: its line number and text as written.
struct ScriptLine {
    int number;
    std::string text;
    std::vector<std::string> words;
};

// Every command line of the file; false after the message on `err` (exit
// status in `status`) for a line that cannot be split.
bool ReadScript(const std::string& path, std::vector<ScriptLine>& lines, std::ostream& err,
                int& status) {
    std::string text;
    if (!ReadFileText(path, text)) {
        err << "zav-cli: cannot read the command file " << path << "\n";
        status = kFailed;
        return false;
    }
    // A file saved by a Windows editor may begin with a byte order mark.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        text.erase(0, 3);
    }
    std::istringstream in(text);
    std::string line;
    ScriptLine command{0, std::string(), {}};
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (command.text.empty()) {
            command.number = number;
        }
        command.text += line;
        std::string error;
        if (!SplitCommandLine(command.text, command.words, error)) {
            // A backslash at the end goes on to the next line, as in a shell.
            if (error == kContinued) {
                command.text.pop_back();
                continue;
            }
            err << "zav-cli: " << path << " line " << command.number << ": " << error << ": "
                << command.text << "\n";
            status = kUsage;
            return false;
        }
        if (!command.words.empty()) {
            lines.push_back(command);
        }
        command = ScriptLine{0, std::string(), {}};
    }
    if (!command.text.empty()) {
        // The last line went on to a line that is not there.
        err << "zav-cli: " << path << " line " << command.number << ": " << kContinued << ": "
            << command.text << "\\\n";
        status = kUsage;
        return false;
    }
    return true;
}

}  // namespace

int RunCommand(const Words& words, std::ostream& out, std::ostream& err) {
    Arguments args(words, {"--dry-run"}, {"-o"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 2) {
        return Usage(err,
                     "run takes a project and a command file: zav-cli run PROJECT.zav SCRIPT "
                     "[-o OUT.zav] [--dry-run]");
    }
    const std::string& script = args.Positional()[1];
    std::vector<ScriptLine> lines;
    int status = kOk;
    if (!ReadScript(script, lines, err, status)) {
        return status;
    }
    if (lines.empty()) {
        err << "zav-cli: " << script << " holds no command; the project was not saved.\n";
        return kFailed;
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, args.Positional()[0]);
    if (!doc) {
        return kFailed;
    }
    const bool dryRun = args.Has("--dry-run");
    bool changed = false;
    for (const ScriptLine& line : lines) {
        const EditOutcome outcome = RunEdit(*doc, line.words, err);
        if (outcome.status != kOk) {
            err << "zav-cli: stopped at " << script << " line " << line.number << ": " << line.text
                << "\nThe project was not saved.\n";
            return outcome.status;
        }
        changed = changed || outcome.changed;
        if (dryRun) {
            out << "line " << line.number << ": "
                << (outcome.changed ? outcome.what : "nothing changed: " + outcome.what) << "\n";
        } else if (!outcome.changed) {
            err << "zav-cli: " << script << " line " << line.number
                << ": nothing changed: " << outcome.what << "\n";
        }
    }
    if (dryRun) {
        out << "Dry run: nothing was saved.\n";
        return kOk;
    }
    if (!changed && !args.Has("-o")) {
        err << "zav-cli: nothing changed; the project was not saved.\n";
        return kOk;
    }
    return SaveProject(*doc, args) ? kOk : kFailed;
}

}  // namespace zav::cli
