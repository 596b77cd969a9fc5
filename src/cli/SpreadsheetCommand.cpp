// zav-cli add-spreadsheet PROJECT.zav FILE... --layout 1|2|3 ...: adds
// spreadsheet text files as Data > Add From Spreadsheet does, with the
// options of its dialog given on the command line, and saves the project.
#include "cli/CliCommon.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "core/StringArray.h"
#include "io/ParsedColumns.h"

namespace zav::cli {

namespace {

struct SpreadsheetRequest {
    SpreadsheetOptions options;
    std::vector<std::string> parameters;  // every --parameter, in order
    std::optional<std::string> parseString;
    bool unitsGiven = false;
};

std::string CheckParseString(const std::string& text) {
    StringArray tokens;
    tokens.Split(text, false, "\t");
    if (tokens.empty()) {
        return "--parse-string needs at least one token";
    }
    for (const std::string& token : tokens) {
        if (!IsParseToken(token)) {
            return "--parse-string: unknown token '" + token + "'";
        }
    }
    return std::string();
}

// Reads the options; an error text when they do not make a request.
std::string ReadRequest(const Arguments& args, SpreadsheetRequest& request) {
    const std::string layout = args.Value("--layout").value_or("");
    if (layout != "1" && layout != "2" && layout != "3") {
        return "add-spreadsheet needs --layout 1, 2 or 3";
    }
    SpreadsheetOptions& options = request.options;
    options.layout = layout[0] - '0';
    const std::string separator = args.Value("--separator").value_or("comma");
    if (separator != "comma" && separator != "tab") {
        return "--separator takes comma or tab";
    }
    options.separator = separator == "tab" ? '\t' : ',';
    if (auto start = args.Value("--start-column");
        start && !ParseWholeInt(*start, options.startColumn)) {
        return "--start-column takes an integer";
    }
    request.parameters = args.Values("--parameter");
    if (options.layout != 3 && request.parameters.size() > 1) {
        return "--parameter is given once for layouts 1 and 2";
    }
    if (!request.parameters.empty()) {
        options.parameter = request.parameters.front();
    }
    request.unitsGiven = args.Has("--units");
    options.units = args.Value("--units").value_or(options.units);
    request.parseString = args.Value("--parse-string");
    if (request.parseString) {
        return CheckParseString(*request.parseString);
    }
    return std::string();
}

// A parameter named for a column that the project does not have yet is
// added first, in the units --units names. Unlike the options dialog's "Add
// Parameter" this takes those units as they are: a script names the units
// it means, and an existing record of them keeps its conversion.
void AddMissingParameters(CZAVDoc& doc, const SpreadsheetRequest& request) {
    ZAVFieldManager& store = doc.FieldManager();
    const std::string& units = request.options.units;
    for (const std::string& parameter : request.parameters) {
        ParameterInfo info;
        if (parameter.empty() || store.GetParameter(parameter, info)) {
            continue;
        }
        info.name = parameter;
        info.alias = parameter;
        info.units = units;
        store.SetParameter(parameter, info);
        UnitsRecord record;
        if (!store.GetUnits(units, record)) {
            store.SetUnits(units, UnitsRecord::Identity(units));
        }
    }
}

// Layouts 1 and 2 store their values in the units of the parameter named,
// as the options dialog does when a listed parameter is chosen; --units
// names the units of a new one, or overrides them.
void UseParameterUnits(const CZAVDoc& doc, SpreadsheetRequest& request) {
    ParameterInfo info;
    if (!request.unitsGiven && !request.parameters.empty() &&
        doc.FieldManager().GetParameter(request.options.parameter, info)) {
        request.options.units = info.units;
    }
}

}  // namespace

int AddSpreadsheetCommand(const Words& words, std::ostream&, std::ostream& err) {
    Arguments args(words, {"--strict"},
                   {"--layout", "--separator", "--parameter", "--units", "--start-column",
                    "--parse-string", "-o"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    const auto& positional = args.Positional();
    if (positional.size() < 2) {
        return Usage(err, "add-spreadsheet takes a project and files: " +
                              CommandUsage(*FindCommand("add-spreadsheet")));
    }
    SpreadsheetRequest request;
    if (std::string problem = ReadRequest(args, request); !problem.empty()) {
        return Usage(err, problem);
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, positional[0]);
    if (!doc) {
        return kFailed;
    }
    if (request.parseString) {
        doc->SetParseString(*request.parseString);
    }
    const std::vector<std::string> files(positional.begin() + 1, positional.end());
    ImportReport report;
    bool allRead = false;
    if (request.options.layout == 3) {
        if (static_cast<int>(request.parameters.size()) > CountValueColumns(doc->ParseString())) {
            return Usage(err, "more --parameter options than VALUE columns in the parse string");
        }
        AddMissingParameters(*doc, request);
        allRead = doc->AddParsedSpreadsheetFiles(files, request.parameters, &report);
    } else {
        UseParameterUnits(*doc, request);
        allRead = doc->AddSpreadsheetFiles(files, request.options, &report) ==
                  static_cast<int>(files.size());
    }
    // What was read is saved even when another file failed, as with "add".
    if (!ImportMaySave(err, report, args.Has("--strict"), allRead) || !SaveProject(*doc, args)) {
        return kFailed;
    }
    return allRead ? kOk : kFailed;
}

}  // namespace zav::cli
