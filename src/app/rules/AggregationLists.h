// AggregationLists: what the aggregation page shows, apart from its widgets —
// the numbered names of one kind (stations or parameters), which of them
// belong to an aggregate, and one line per aggregate with the numbers of its
// members. Aggregates are made and dissolved through the store; this only
// mirrors them.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace zav {

class ZAVFieldManager;

// The name list's row for the name at 0-based `position`: "3. station7".
std::string NumberedName(int position, const std::string& name);

// How a row of the name list is drawn, as 0xRRGGBB: a name that belongs to
// an aggregate is light grey on white, selected or not.
struct RowColors {
    unsigned text;
    unsigned background;
};
RowColors NameRowColors(bool aggregated, bool selected);

class AggregationLists {
public:
    // Stores `type` (0 stations, 1 parameters) as the store's aggregation
    // type and reads the names and the aggregates of that kind.
    void Fill(ZAVFieldManager& store, int type);

    int Count() const { return static_cast<int>(m_names.size()); }
    const std::string& Name(int position) const { return m_names[static_cast<size_t>(position)]; }
    bool IsAggregated(int position) const {
        return m_aggregated[static_cast<size_t>(position)] != 0;
    }
    std::string Row(int position) const { return NumberedName(position, Name(position)); }
    // The position of a name in the list, or -1.
    int Find(const std::string& name) const;

    // One per aggregate, in the same order: its alias, and the line that
    // the aggregate list shows for it.
    const std::vector<std::string>& Aliases() const { return m_aliases; }
    const std::vector<std::string>& Lines() const { return m_lines; }

    // Of the chosen positions, those not yet in an aggregate, ascending.
    std::vector<int> Groupable(std::vector<int> positions) const;
    // Groups the names at `positions` (ascending; the first becomes the
    // representative) under `alias`, in the kind last filled. False when the
    // store refused the alias; it has said why.
    bool Make(ZAVFieldManager& store, const std::vector<int>& positions, const std::string& alias);
    // Dissolves the aggregates of the given lines, the highest line first
    // so that no removal moves a line still to be removed.
    void Dissolve(ZAVFieldManager& store, std::vector<int> lines);

private:
    void SetAggregated(const std::string& name, bool aggregated);

    std::vector<std::string> m_names;
    std::vector<char> m_aggregated;
    std::unordered_map<std::string, int> m_index{17};
    std::vector<std::string> m_aliases;
    std::vector<std::string> m_lines;
};

}  // namespace zav
