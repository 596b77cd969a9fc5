#include "io/ProjectFile.h"

#include "core/InputError.h"
#include "core/TextFormat.h"
#include "io/StationBlocks.h"

namespace zav {

namespace {

// Both aggregate sections share one layout; only their words differ.
struct AggregateSection {
    int type;
    const char* countKey;        // "number of aggregated stations"
    const char* nameMissing;     // the item reported when "aggregate name" is missing
    const char* memberCountKey;  // "number of stations in aggregate"
};

const AggregateSection kStationSection{kStationType, "number of aggregated stations",
                                       "number of aggregated stations",
                                       "number of stations in aggregate"};
const AggregateSection kParameterSection{kParameterType, "number of aggregated parameters",
                                         "number of aggregated params",
                                         "number of parameters in aggregate"};

void WriteAggregates(std::string& out, const ZAVFieldManager& store,
                     const AggregateSection& section) {
    std::vector<IndexInfo> infos;
    std::vector<std::string> aliases;
    const NameIndex& index = section.type == kStationType ? store.Stations() : store.Parameters();
    index.GetAggregates(infos, aliases);
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
        if (!names.empty()) {
            store.AddAggregate(names, alias, section.type);
        }
    }
}

}  // namespace

void WriteProject(std::string& out, const ZAVFieldManager& store) {
    AppendCount(out, "number of files =", static_cast<long long>(store.Sources().size()));
    for (const DataSource& source : store.Sources()) {
        WriteSourceBlock(out, source);
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

void ReadProject(TextReader& in, ZAVFieldManager& store, ImportReport& report) {
    ExpectHeader(in, "number of files");
    int files = in.ExtractInt();
    for (int i = 0; i < files; ++i) {
        DataSource source;
        ReadSourceBlock(in, source, report);
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

}  // namespace zav
