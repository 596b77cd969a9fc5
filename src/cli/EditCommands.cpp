#include "cli/EditCommands.h"

#include <algorithm>
#include <set>

#include "cli/CliCommon.h"
#include "cli/CommandTable.h"
#include "core/TextFormat.h"
#include "io/DocumentEdits.h"
#include "store/ZAVFieldManager.h"

namespace zav::cli {

namespace {

// The arguments of one editing command after its name: the positional
// words (the project and -o already taken away) and the options.
struct EditArguments {
    const Words& positional;
    const Arguments& options;
};

using EditFunction = EditOutcome (*)(CZAVDoc& doc, const EditArguments& args, std::ostream& err);

struct EditCommandInfo {
    const char* name;
    size_t fewestWords;  // positional words after the project
    size_t mostWords;
    std::vector<std::string> flags;
    std::vector<std::string> valueOptions;
    EditFunction run;
};

EditOutcome Failed() {
    return EditOutcome{kFailed, false, std::string()};
}

EditOutcome Misuse(std::ostream& err, const std::string& message) {
    return EditOutcome{Usage(err, message), false, std::string()};
}

EditOutcome Changed(std::string what) {
    return EditOutcome{kOk, true, std::move(what)};
}

EditOutcome Unchanged(std::string why) {
    return EditOutcome{kOk, false, std::move(why)};
}

std::string Quoted(const std::string& name) {
    return "'" + name + "'";
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + Quoted(name);
    }
    return text;
}

// --- names in the project ------------------------------------------------

const NameIndex& IndexOf(CZAVDoc& doc, int type) {
    return type == kStationType ? doc.FieldManager().Stations() : doc.FieldManager().Parameters();
}

const char* KindOf(int type) {
    return type == kStationType ? "station" : "parameter";
}

// Every stored name of the kind, groups' members included, for a
// suggestion.
std::vector<std::string> ListedNames(CZAVDoc& doc, int type) {
    std::vector<std::string> names;
    for (const auto& entry : IndexOf(doc, type).Entries()) {
        names.push_back(entry.second.name);
    }
    return names;
}

void SayUnknown(CZAVDoc& doc, std::ostream& err, int type, const std::string& name) {
    err << "zav-cli: no " << KindOf(type) << " " << Quoted(name) << " in the project";
    if (std::string nearest = NearestWord(name, ListedNames(doc, type)); !nearest.empty()) {
        err << " (did you mean " << Quoted(nearest) << "?)";
    }
    err << "\n";
}

bool IsGroup(CZAVDoc& doc, int type, const std::string& name) {
    const IndexInfo* entry = IndexOf(doc, type).Find(name);
    return entry != nullptr && entry->isAggregate;
}

// A station or parameter with series of its own (grouped or not); a
// message naming what the name is otherwise.
bool CheckStored(CZAVDoc& doc, std::ostream& err, int type, const std::string& name) {
    if (IndexOf(doc, type).OwnEntry(name) != nullptr) {
        return true;
    }
    if (IsGroup(doc, type, name)) {
        err << "zav-cli: " << Quoted(name) << " is a " << KindOf(type) << " group; name one of its "
            << KindOf(type) << "s\n";
    } else {
        SayUnknown(doc, err, type, name);
    }
    return false;
}

// A stored name that belongs to no group: renaming or deleting a grouped
// one would act on its whole group.
bool CheckUngrouped(CZAVDoc& doc, std::ostream& err, int type, const std::string& name,
                    const char* command) {
    if (!CheckStored(doc, err, type, name)) {
        return false;
    }
    const std::string group = IndexOf(doc, type).GroupOf(name);
    if (!group.empty()) {
        err << "zav-cli: " << command << ": " << KindOf(type) << " " << Quoted(name)
            << " is in the group " << Quoted(group) << "; dissolve the group first (ungroup-"
            << KindOf(type) << "s)\n";
        return false;
    }
    return true;
}

// A station or parameter of that name, or a group's, or a name a group
// resolves: a new name must be none of them.
bool NameInUse(CZAVDoc& doc, int type, const std::string& name) {
    return IndexOf(doc, type).Find(name) != nullptr || !IndexOf(doc, type).GroupOf(name).empty();
}

// The station has series of exactly this parameter.
bool CheckSeries(CZAVDoc& doc, std::ostream& err, const std::string& station,
                 const std::string& parameter) {
    if (!CheckStored(doc, err, kStationType, station) ||
        !CheckStored(doc, err, kParameterType, parameter)) {
        return false;
    }
    if (SeriesNamed(doc, station, parameter).empty()) {
        err << "zav-cli: station " << Quoted(station) << " has no series of " << Quoted(parameter)
            << "\n";
        return false;
    }
    return true;
}

// --- option values -------------------------------------------------------

// Reads a number option; an error text when it is given and is no number.
std::string ReadNumber(const Arguments& options, const std::string& name,
                       std::optional<double>& value) {
    const auto text = options.Value(name);
    double number = 0.0;
    if (!text) {
        return std::string();
    }
    if (!ParseNumber(*text, number)) {
        return name + " takes a number, not '" + *text + "'";
    }
    value = number;
    return std::string();
}

// --from and --to into the filter; an error text when one is no date or
// the span is empty.
std::string ReadSpan(const Arguments& options, PointFilter& filter) {
    const char* const format = " takes YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], not '";
    KTRTime time;
    if (const auto from = options.Value("--from")) {
        if (!ParseDate(*from, DayEnd::kStart, time)) {
            return "--from" + std::string(format) + *from + "'";
        }
        filter.from = time;
    }
    if (const auto to = options.Value("--to")) {
        if (!ParseDate(*to, DayEnd::kEnd, time)) {
            return "--to" + std::string(format) + *to + "'";
        }
        filter.to = time;
    }
    if (filter.from && filter.to && *filter.to < *filter.from) {
        return "--from " + *options.Value("--from") + " is after --to " + *options.Value("--to");
    }
    return std::string();
}

std::string IsoTime(const KTRTime& time) {
    const CalendarFields f = time.Fields();
    return Format("%04d-%02d-%02dT%02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
}

// "S / P" and the span and limits, for what a span edit did.
std::string SpanText(const std::string& station, const std::string& parameter,
                     const PointFilter& filter) {
    std::string text = Quoted(station);
    if (!parameter.empty()) {
        text += " / " + Quoted(parameter);
    }
    if (filter.from) {
        text += " from " + IsoTime(*filter.from);
    }
    if (filter.to) {
        text += " to " + IsoTime(*filter.to);
    }
    if (filter.below) {
        text += " below " + FormatExact(*filter.below);
    }
    if (filter.above) {
        text += std::string(filter.below ? " or" : "") + " above " + FormatExact(*filter.above);
    }
    return text;
}

std::string Points(size_t count) {
    return std::to_string(count) + (count == 1 ? " point" : " points");
}

// --- the commands --------------------------------------------------------

EditOutcome RenameName(CZAVDoc& doc, const EditArguments& args, std::ostream& err, int type,
                       const char* command) {
    const std::string& from = args.positional[0];
    const std::string& to = args.positional[1];
    if (to.empty()) {
        return Misuse(err, std::string(command) + ": the new name is empty");
    }
    if (!CheckUngrouped(doc, err, type, from, command)) {
        return Failed();
    }
    if (from == to) {
        return Unchanged(std::string(KindOf(type)) + " " + Quoted(from) + " has that name already");
    }
    // Renaming onto a name in use would pour one station's series into the
    // other's for good; the desktop's rename refuses a parameter the same way.
    if (NameInUse(doc, type, to)) {
        err << "zav-cli: " << command << ": a " << KindOf(type) << " or group " << Quoted(to)
            << " exists already\n";
        return Failed();
    }
    const bool renamed =
        type == kStationType ? RenameStation(doc, from, to) : RenameParameter(doc, from, to);
    if (!renamed) {
        return Failed();
    }
    return Changed(std::string(KindOf(type)) + " " + Quoted(from) + " renamed to " + Quoted(to));
}

EditOutcome RenameStationEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    return RenameName(doc, args, err, kStationType, "rename-station");
}

EditOutcome RenameParameterEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    return RenameName(doc, args, err, kParameterType, "rename-parameter");
}

EditOutcome Group(CZAVDoc& doc, const EditArguments& args, std::ostream& err, int type,
                  const char* command) {
    const std::string& name = args.positional[0];
    const std::vector<std::string> members(args.positional.begin() + 1, args.positional.end());
    if (name.empty()) {
        return Misuse(err, std::string(command) + ": the group's name is empty");
    }
    if (std::set<std::string>(members.begin(), members.end()).size() != members.size()) {
        return Misuse(err, std::string(command) + ": a member is named twice");
    }
    for (const std::string& member : members) {
        if (!CheckStored(doc, err, type, member)) {
            return Failed();
        }
        if (const std::string group = IndexOf(doc, type).GroupOf(member); !group.empty()) {
            err << "zav-cli: " << command << ": " << KindOf(type) << " " << Quoted(member)
                << " is in the group " << Quoted(group) << " already\n";
            return Failed();
        }
    }
    if (NameInUse(doc, type, name)) {
        err << "zav-cli: " << command << ": a " << KindOf(type) << " or group " << Quoted(name)
            << " exists already\n";
        return Failed();
    }
    if (!MakeGroup(doc, members, name, type)) {
        return Failed();
    }
    return Changed(std::string(KindOf(type)) + " group " + Quoted(name) + " made of " +
                   Joined(members));
}

EditOutcome Ungroup(CZAVDoc& doc, const EditArguments& args, std::ostream& err, int type) {
    const std::string& name = args.positional[0];
    if (!IsGroup(doc, type, name)) {
        err << "zav-cli: no " << KindOf(type) << " group " << Quoted(name) << " in the project";
        std::vector<std::string> groups;
        doc.FieldManager().GetNameList(groups, type, true);
        if (std::string nearest = NearestWord(name, groups); !nearest.empty()) {
            err << " (did you mean " << Quoted(nearest) << "?)";
        }
        err << "\n";
        return Failed();
    }
    std::vector<std::string> members;
    if (!DissolveGroup(doc, name, type, members)) {
        return Failed();
    }
    return Changed(std::string(KindOf(type)) + " group " + Quoted(name) + " dissolved into " +
                   Joined(members));
}

EditOutcome GroupStationsEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    return Group(doc, args, err, kStationType, "group-stations");
}

EditOutcome UngroupStationsEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    return Ungroup(doc, args, err, kStationType);
}

EditOutcome GroupParametersEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    return Group(doc, args, err, kParameterType, "group-parameters");
}

EditOutcome UngroupParametersEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    return Ungroup(doc, args, err, kParameterType);
}

// --station and --parameter, which the series commands need.
std::string ReadSeriesNames(const Arguments& options, const char* command, bool parameterNeeded,
                            std::string& station, std::string& parameter) {
    const auto s = options.Value("--station");
    const auto p = options.Value("--parameter");
    if (!s || (parameterNeeded && !p)) {
        return std::string(command) +
               (parameterNeeded ? " needs --station S and --parameter P" : " needs --station S");
    }
    // An empty name (a shell variable left unset) must not widen the edit:
    // "delete --station S --parameter ''" would take the whole station.
    if (s->empty() || (p && p->empty())) {
        return std::string(command) + ": --station and --parameter take a name, not ''";
    }
    station = *s;
    parameter = p.value_or("");
    return std::string();
}

EditOutcome SetScalingEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    std::string station;
    std::string parameter;
    std::optional<double> multiplier;
    std::optional<double> offset;
    std::string error = ReadSeriesNames(args.options, "set-scaling", true, station, parameter);
    for (std::string more : {ReadNumber(args.options, "--multiplier", multiplier),
                             ReadNumber(args.options, "--offset", offset)}) {
        error = error.empty() ? more : error;
    }
    if (error.empty() && !multiplier && !offset) {
        error = "set-scaling needs --multiplier M, --offset O or both";
    }
    if (!error.empty()) {
        return Misuse(err, error);
    }
    if (!CheckSeries(doc, err, station, parameter)) {
        return Failed();
    }
    // Options not given keep the value of the series (the first, where
    // several sources hold the station and parameter).
    const DataSeries& series =
        doc.FieldManager().GetSeries(SeriesNamed(doc, station, parameter).front());
    const double m = multiplier.value_or(series.Multiplier());
    const double o = offset.value_or(series.Offset());
    const std::string what = Quoted(station) + " / " + Quoted(parameter) + " scaled x " +
                             FormatExact(m) + " + " + FormatExact(o);
    return SetSeriesScaling(doc, station, parameter, m, o) ? Changed(what)
                                                           : Unchanged(what + " already");
}

// The position of the standard conversion called `name`, or -1.
int FindConversion(CZAVDoc& doc, const std::string& name) {
    const ConversionTable& table = doc.Conversions();
    for (int i = 0; i < table.Count(); ++i) {
        if (table.Name(i) == name) {
            return i;
        }
    }
    return -1;
}

EditOutcome SetUnitsEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    const std::string& units = args.positional[0];
    std::optional<double> multiplier;
    std::optional<double> offset;
    std::string error = ReadNumber(args.options, "--multiplier", multiplier);
    if (std::string more = ReadNumber(args.options, "--offset", offset); error.empty()) {
        error = more;
    }
    const auto alias = args.options.Value("--alias");
    const auto conversion = args.options.Value("--conversion");
    if (error.empty() && conversion && (multiplier || offset)) {
        error = "set-units takes --conversion or --multiplier and --offset, not both";
    }
    if (error.empty() && !conversion && !multiplier && !offset && !alias) {
        error = "set-units needs --alias, --multiplier, --offset or --conversion";
    }
    if (!error.empty()) {
        return Misuse(err, error);
    }
    UnitsRecord record;
    if (doc.FieldManager().GetUnits(units, record) == 0) {
        std::vector<std::string> names;
        for (const auto& entry : doc.FieldManager().UnitsMap()) {
            names.push_back(entry.first);
        }
        err << "zav-cli: no units " << Quoted(units) << " in the project";
        if (std::string nearest = NearestWord(units, names); !nearest.empty()) {
            err << " (did you mean " << Quoted(nearest) << "?)";
        }
        err << "\n";
        return Failed();
    }
    if (conversion && FindConversion(doc, *conversion) < 0) {
        err << "zav-cli: no standard conversion " << Quoted(*conversion) << " in "
            << doc.ConversionsPath() << "\n";
        return Failed();
    }
    // A conversion and an alias given with it make one step.
    const bool changed = doc.Perform(conversion ? "Apply Conversion" : "Edit Units", 0, [&] {
        bool done = false;
        if (conversion) {
            const ConversionTable& table = doc.Conversions();
            const int found = FindConversion(doc, *conversion);
            done = ApplyConversion(doc, units, *conversion, table.Multiplier(found),
                                   table.Offset(found));
            doc.FieldManager().GetUnits(units, record);
        }
        UnitsRecord edited = record;
        edited.alias = alias.value_or(record.alias);
        edited.multiplier = multiplier.value_or(record.multiplier);
        edited.offset = offset.value_or(record.offset);
        if (edited.alias != record.alias || edited.multiplier != record.multiplier ||
            edited.offset != record.offset) {
            done = SetUnitsRecord(doc, "Edit Units", units, edited) || done;
            record = edited;
        }
        return done;
    });
    const std::string what = "units " + Quoted(units) + " shown as " + Quoted(record.alias) +
                             ": x " + FormatExact(record.multiplier) + " + " +
                             FormatExact(record.offset);
    return changed ? Changed(what) : Unchanged(what + " already");
}

EditOutcome MaskEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    std::string station;
    std::string parameter;
    PointFilter filter;
    std::string error = ReadSeriesNames(args.options, "mask", true, station, parameter);
    for (std::string more :
         {ReadSpan(args.options, filter), ReadNumber(args.options, "--below", filter.below),
          ReadNumber(args.options, "--above", filter.above)}) {
        error = error.empty() ? more : error;
    }
    if (!error.empty()) {
        return Misuse(err, error);
    }
    if (!CheckSeries(doc, err, station, parameter)) {
        return Failed();
    }
    const bool unmask = args.options.Has("--unmask");
    const size_t count = MaskPoints(doc, station, parameter, filter, unmask ? 0 : 1);
    const std::string what = SpanText(station, parameter, filter);
    if (count == 0) {
        return Unchanged("no point of " + what + (unmask ? " to unmask" : " to mask"));
    }
    return Changed(Points(count) + " of " + what + (unmask ? " unmasked" : " masked"));
}

EditOutcome DeleteEdit(CZAVDoc& doc, const EditArguments& args, std::ostream& err) {
    std::string station;
    std::string parameter;
    PointFilter filter;
    std::string error = ReadSeriesNames(args.options, "delete", false, station, parameter);
    if (std::string more = ReadSpan(args.options, filter); error.empty()) {
        error = more;
    }
    if (!error.empty()) {
        return Misuse(err, error);
    }
    // A whole station goes with its index entry; a span or one parameter
    // leaves the series, with fewer points.
    if (parameter.empty() && !filter.from && !filter.to) {
        if (!CheckUngrouped(doc, err, kStationType, station, "delete")) {
            return Failed();
        }
        const size_t series = SeriesNamed(doc, station, "").size();
        DeleteStations(doc, {station});
        return Changed("station " + Quoted(station) + " deleted with its " +
                       std::to_string(series) + (series == 1 ? " series" : " series"));
    }
    if (parameter.empty() ? !CheckStored(doc, err, kStationType, station)
                          : !CheckSeries(doc, err, station, parameter)) {
        return Failed();
    }
    const size_t count = DeletePointsIn(doc, station, parameter, filter);
    const std::string what = SpanText(station, parameter, filter);
    if (count == 0) {
        return Unchanged("no point of " + what + " to delete");
    }
    return Changed(Points(count) + " of " + what + " deleted");
}

// Every editing command, in the order of the command table.
const std::vector<EditCommandInfo>& EditCommands() {
    static const std::vector<EditCommandInfo> commands = {
        {"rename-station", 2, 2, {}, {}, &RenameStationEdit},
        {"rename-parameter", 2, 2, {}, {}, &RenameParameterEdit},
        {"group-stations", 2, SIZE_MAX, {}, {}, &GroupStationsEdit},
        {"ungroup-stations", 1, 1, {}, {}, &UngroupStationsEdit},
        {"group-parameters", 2, SIZE_MAX, {}, {}, &GroupParametersEdit},
        {"ungroup-parameters", 1, 1, {}, {}, &UngroupParametersEdit},
        {"set-scaling",
         0,
         0,
         {},
         {"--station", "--parameter", "--multiplier", "--offset"},
         &SetScalingEdit},
        {"set-units",
         1,
         1,
         {},
         {"--alias", "--multiplier", "--offset", "--conversion"},
         &SetUnitsEdit},
        {"mask",
         0,
         0,
         {"--unmask"},
         {"--station", "--parameter", "--from", "--to", "--below", "--above"},
         &MaskEdit},
        {"delete", 0, 0, {}, {"--station", "--parameter", "--from", "--to"}, &DeleteEdit},
    };
    return commands;
}

const EditCommandInfo* FindEdit(const std::string& name) {
    for (const EditCommandInfo& command : EditCommands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

std::string UsageOf(const std::string& name) {
    const CommandInfo* command = FindCommand(name);
    return command != nullptr ? CommandUsage(*command) : "zav-cli " + name;
}

// Checks the count of positional words; an error text when wrong.
std::string CountError(const EditCommandInfo& command, size_t count) {
    if (count >= command.fewestWords && count <= command.mostWords) {
        return std::string();
    }
    return std::string(command.name) +
           (count < command.fewestWords ? " needs more" : " takes fewer") +
           " arguments: " + UsageOf(command.name);
}

// The one-shot form: open, edit, save.
int RunOneShot(const std::string& name, const Words& words, std::ostream& err) {
    const EditCommandInfo& command = *FindEdit(name);
    std::vector<std::string> values = command.valueOptions;
    values.push_back("-o");
    Arguments args(words, command.flags, values);
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().empty()) {
        return Usage(err, name + " needs a project: " + UsageOf(name));
    }
    const Words rest(args.Positional().begin() + 1, args.Positional().end());
    if (std::string error = CountError(command, rest.size()); !error.empty()) {
        return Usage(err, error);
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, args.Positional().front());
    if (!doc) {
        return kFailed;
    }
    const EditOutcome outcome = command.run(*doc, EditArguments{rest, args}, err);
    if (outcome.status != kOk) {
        return outcome.status;
    }
    if (!outcome.changed) {
        // Nothing to save in place; an output named with -o is still
        // written, so that a script finds the file it asked for.
        err << "zav-cli: " << name << ": nothing changed: " << outcome.what << "\n";
        if (!args.Has("-o")) {
            return kOk;
        }
    }
    return SaveProject(*doc, args) ? kOk : kFailed;
}

}  // namespace

bool IsEditCommand(const std::string& name) {
    return FindEdit(name) != nullptr;
}

std::vector<std::string> EditCommandNames() {
    std::vector<std::string> names;
    for (const EditCommandInfo& command : EditCommands()) {
        names.emplace_back(command.name);
    }
    return names;
}

EditOutcome RunEdit(CZAVDoc& doc, const Words& words, std::ostream& err) {
    if (words.empty()) {
        return Misuse(err, "no command");
    }
    const EditCommandInfo* command = FindEdit(words[0]);
    if (command == nullptr) {
        std::string message = Quoted(words[0]) + " is no editing command";
        if (std::string nearest = NearestWord(words[0], EditCommandNames()); !nearest.empty()) {
            message += " (did you mean " + Quoted(nearest) + "?)";
        }
        return Misuse(err, message);
    }
    Arguments args(Words(words.begin() + 1, words.end()), command->flags, command->valueOptions);
    if (!args.Error().empty()) {
        return Misuse(err, args.Error());
    }
    if (std::string error = CountError(*command, args.Positional().size()); !error.empty()) {
        return Misuse(err, error);
    }
    return command->run(doc, EditArguments{args.Positional(), args}, err);
}

int RenameStationCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("rename-station", words, err);
}
int RenameParameterCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("rename-parameter", words, err);
}
int GroupStationsCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("group-stations", words, err);
}
int UngroupStationsCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("ungroup-stations", words, err);
}
int GroupParametersCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("group-parameters", words, err);
}
int UngroupParametersCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("ungroup-parameters", words, err);
}
int SetScalingCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("set-scaling", words, err);
}
int SetUnitsCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("set-units", words, err);
}
int MaskCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("mask", words, err);
}
int DeleteCommand(const Words& words, std::ostream&, std::ostream& err) {
    return RunOneShot("delete", words, err);
}

}  // namespace zav::cli
