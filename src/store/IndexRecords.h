// The index entries of the store. A station entry and a parameter entry have
// the same shape (a parameter entry also names its units), so one record
// type serves both indexes and the aggregate logic is written once.
#pragma once

#include <string>
#include <vector>

namespace zav {

struct IndexInfo {
    // The station or parameter name; for an aggregate entry, the name of
    // its representative member.
    std::string name;
    // The name itself for a plain entry; the aggregate's alias for an
    // aggregate entry and for its members.
    std::string alias;
    // Parameters only: the units of the first series seen with the name.
    std::string units;
    int isAggregate = 0;  // the entry that stands for an aggregate (kept under its alias)
    int isMember = 0;     // belongs to an aggregate other than as its representative
    std::vector<std::string> members;  // an aggregate's members besides the representative
    std::vector<int> seriesIndices;    // global indices of the series named `name`, ascending
};

using StationInfo = IndexInfo;
using ParameterInfo = IndexInfo;

// Units and how values in them are shown: x -> x * multiplier + offset,
// in the units named by `alias`.
struct UnitsRecord {
    std::string name;
    std::string alias;
    std::string comment;
    double multiplier = 1.0;
    double offset = 0.0;

    static UnitsRecord Identity(const std::string& units) {
        return UnitsRecord{units, units, units, 1.0, 0.0};
    }
};

// Index kinds, as the operations take them.
enum IndexType { kStationType = 0, kParameterType = 1, kCurrentType = 2 };

}  // namespace zav
