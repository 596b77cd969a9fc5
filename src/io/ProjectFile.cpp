#include "io/ProjectFile.h"

#include <set>

#include "core/InputError.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/SeriesBlockReader.h"
#include "io/StationBlocks.h"

namespace zav {

namespace {

// Both aggregate sections share one layout; only their words differ.
struct AggregateSection {
    int type;
    const char* countKey;        // "number of aggregated stations"
    const char* nameMissing;     // the item reported when "aggregate name" is missing
    const char* memberCountKey;  // "number of stations in aggregate"
    const char* title;           // "Station aggregate", for messages
    const char* kind;            // "station"
};

const AggregateSection kStationSection{kStationType,
                                       "number of aggregated stations",
                                       "number of aggregated stations",
                                       "number of stations in aggregate",
                                       "Station aggregate",
                                       "station"};
const AggregateSection kParameterSection{kParameterType,
                                         "number of aggregated parameters",
                                         "number of aggregated params",
                                         "number of parameters in aggregate",
                                         "Parameter aggregate",
                                         "parameter"};

const NameIndex& IndexOf(const ZAVFieldManager& store, const AggregateSection& section) {
    return section.type == kStationType ? store.Stations() : store.Parameters();
}

void WriteAggregates(std::string& out, const ZAVFieldManager& store,
                     const AggregateSection& section) {
    std::vector<IndexInfo> infos;
    std::vector<std::string> aliases;
    IndexOf(store, section).GetAggregates(infos, aliases);
    AppendCount(out, (std::string(section.countKey) + " =").c_str(),
                static_cast<long long>(infos.size()));
    const std::string memberCountKey = std::string(section.memberCountKey) + " =";
    for (const IndexInfo& info : infos) {
        AppendItem(out, "aggregate name =", info.alias);
        AppendCount(out, memberCountKey.c_str(), static_cast<long long>(info.members.size() + 1));
        AppendItem(out, "", info.name);
        for (const std::string& member : info.members) {
            AppendItem(out, "", member);
        }
    }
}

// Why an aggregate block cannot be replayed, or empty. The desktop groups
// only plain names, each in one aggregate; anything else comes from a
// damaged or hand-edited file, and replaying it would tangle the grouping
// and lose an aggregate at the next save. A member that is not in the
// project is let through, as it always was: it may have lost its data.
std::string AggregateFault(const NameIndex& index, const AggregateSection& section,
                           const std::string& alias, const std::vector<std::string>& names) {
    if (auto grouped = index.Aliases().find(alias); grouped != index.Aliases().end()) {
        return alias + " is already in aggregate " + grouped->second;
    }
    std::set<std::string> seen;
    for (const std::string& name : names) {
        if (!seen.insert(name).second) {
            return name + " is named twice";
        }
        if (auto grouped = index.Aliases().find(name); grouped != index.Aliases().end()) {
            return name + " is already in aggregate " + grouped->second;
        }
        const IndexInfo* entry = index.Find(name);
        if (entry != nullptr && entry->isAggregate) {
            return name + " is an aggregate itself";
        }
    }
    if (index.Find(names.front()) == nullptr) {
        return "its representative " + names.front() + " is not a " + section.kind +
               " of the project";
    }
    return std::string();
}

void ReadAggregates(TextReader& in, ZAVFieldManager& store, const AggregateSection& section) {
    ExpectHeader(in, section.countKey);
    int count = in.ExtractInt();
    for (int i = 0; i < count; ++i) {
        ExpectHeader(in, "aggregate name", section.nameMissing);
        std::string alias = in.RestOfLine();
        ExpectHeader(in, section.memberCountKey);
        int members = in.ExtractInt();
        in.RestOfLine();
        std::vector<std::string> names;
        std::string line;
        // Lines are taken as they come; a count larger than the file ends
        // with the file instead of sizing anything by it.
        for (int m = 0; m < members && in.ReadWholeLine(line); ++m) {
            names.push_back(line);
        }
        if (names.empty()) {
            continue;
        }
        if (std::string fault = AggregateFault(IndexOf(store, section), section, alias, names);
            !fault.empty()) {
            store.UI().ShowMessage(std::string(section.title) + " " + alias +
                                   " was left out: " + fault + ".");
            continue;
        }
        store.AddAggregate(names, alias, section.type);
    }
}

}  // namespace

void WriteProject(PieceWriter& pieces, const ZAVFieldManager& store) {
    std::string& out = pieces.Text();
    AppendCount(out, "number of files =", static_cast<long long>(store.Sources().size()));
    for (const DataSource& source : store.Sources()) {
        WriteSourceBlock(pieces, source);
    }
    out += kLineEnd;
    WriteAggregates(out, store, kStationSection);
    out += kLineEnd;
    WriteAggregates(out, store, kParameterSection);
    out += kLineEnd;
    AppendCount(out, "number of units =", static_cast<long long>(store.UnitsMap().size()));
    for (const auto& [key, record] : store.UnitsMap()) {
        AppendItem(out, "units name =", record.name);
        AppendItem(out, "units alias =", record.alias);
        AppendItem(out, "units comment =", record.comment);
        AppendItem(out, "units multiplier =", record.multiplier);
        AppendItem(out, "units offset =", record.offset);
    }
}

void ReadProject(TextReader& in, ZAVFieldManager& store, ImportReport& report, unsigned threads) {
    ExpectHeader(in, "number of files");
    int files = in.ExtractInt();
    SeriesBlockReader blocks(threads);
    for (int i = 0; i < files; ++i) {
        DataSource source;
        ReadSourceBlock(in, source, report, threads == 1 ? nullptr : &blocks);
        store.AppendSource(std::move(source));
    }
    store.RebuildStationIndex();
    store.RebuildParameterIndex();
    store.RebuildUnitsIndex();

    ReadAggregates(in, store, kStationSection);
    ReadAggregates(in, store, kParameterSection);

    ExpectHeader(in, "number of units");
    int units = in.ExtractInt();
    store.ClearUnits();
    for (int i = 0; i < units; ++i) {
        UnitsRecord record;
        ExpectHeader(in, "units name");
        record.name = in.RestOfLine();
        ExpectHeader(in, "units alias");
        record.alias = in.RestOfLine();
        ExpectHeader(in, "units comment");
        record.comment = in.RestOfLine();
        ExpectHeader(in, "units multiplier");
        record.multiplier = ReadFiniteItem(in, 1.0, report);
        ExpectHeader(in, "units offset");
        record.offset = ReadFiniteItem(in, 0.0, report);
        store.SetUnits(record.name, record);
    }
}

void WriteProjectFile(PieceWriter& out, const std::string& parseString,
                      const ZAVFieldManager& store) {
    out.Text() += "spreaadsheetParseString =";
    AppendLineValue(out.Text(), parseString);
    out.Text() += kLineEnd;
    WriteProject(out, store);
}

std::string ProjectFileText(const std::string& parseString, const ZAVFieldManager& store) {
    std::string out;
    out.reserve(64 + store.PointCount() * 56);
    PieceWriter gather(out);
    WriteProjectFile(gather, parseString, store);
    return out;
}

void ReadProjectFile(TextReader& in, std::string& parseString, ZAVFieldManager& store,
                     ImportReport& report, unsigned threads) {
    ExpectHeader(in, "spreaadsheetParseString");
    parseString = in.RestOfLine();
    ReadProject(in, store, report, threads);
}

void ReadProjectFileText(std::string text, std::string& parseString, ZAVFieldManager& store,
                         ImportReport& report) {
    TextReader in(std::move(text));
    ReadProjectFile(in, parseString, store, report);
}

}  // namespace zav
