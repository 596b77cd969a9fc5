#include "app/rules/AggregationLists.h"

#include <algorithm>
#include <functional>

#include "store/ZAVFieldManager.h"

namespace zav {

std::string NumberedName(int position, const std::string& name) {
    return std::to_string(position + 1) + ". " + name;
}

RowColors NameRowColors(bool aggregated, bool selected) {
    constexpr unsigned kWhite = 0xFFFFFF;
    if (aggregated) {
        return {0xC8C8C8, kWhite};
    }
    if (selected) {
        return {kWhite, 0x0000FF};
    }
    return {0x000000, kWhite};
}

void AggregationLists::Fill(ZAVFieldManager& store, int type) {
    store.SetAggregationType(type);
    std::vector<IndexInfo> infos;
    store.GetInfoList(infos, type);
    m_names.clear();
    m_index.clear();
    for (const IndexInfo& info : infos) {
        m_index[info.name] = static_cast<int>(m_names.size());
        m_names.push_back(info.name);
    }
    m_aggregated.assign(m_names.size(), 0);

    std::vector<IndexInfo> aggregates;
    m_aliases.clear();
    m_lines.clear();
    store.GetAggregates(aggregates, m_aliases, type);
    for (size_t i = 0; i < aggregates.size(); ++i) {
        SetAggregated(aggregates[i].name, true);
        // Read from the store, every number follows a blank: "X:  1 2 3".
        std::string line = m_aliases[i] + ": ";
        std::vector<std::string> members;
        store.GetAggregateMembers(aggregates[i].name, members, type);
        for (const std::string& member : members) {
            int position = Find(member);
            if (position < 0) {
                continue;
            }
            SetAggregated(member, true);
            line += " " + std::to_string(position + 1);
        }
        m_lines.push_back(std::move(line));
    }
}

int AggregationLists::Find(const std::string& name) const {
    auto it = m_index.find(name);
    return it == m_index.end() ? -1 : it->second;
}

void AggregationLists::SetAggregated(const std::string& name, bool aggregated) {
    int position = Find(name);
    if (position >= 0) {
        m_aggregated[static_cast<size_t>(position)] = aggregated ? 1 : 0;
    }
}

std::vector<int> AggregationLists::Groupable(std::vector<int> positions) const {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    positions.erase(
        std::remove_if(positions.begin(), positions.end(),
                       [this](int p) { return p < 0 || p >= Count() || IsAggregated(p); }),
        positions.end());
    return positions;
}

bool AggregationLists::Make(ZAVFieldManager& store, const std::vector<int>& positions,
                            const std::string& alias) {
    std::vector<std::string> names;
    for (int position : positions) {
        names.push_back(Name(position));
    }
    if (names.empty() || store.AddAggregate(names, alias, kCurrentType) == 0) {
        return false;
    }
    // Just made, every number is followed by a blank: "X: 1 2 3 ".
    std::string line = alias + ": ";
    for (int position : positions) {
        m_aggregated[static_cast<size_t>(position)] = 1;
        line += std::to_string(position + 1) + " ";
    }
    m_aliases.push_back(alias);
    m_lines.push_back(std::move(line));
    return true;
}

void AggregationLists::Dissolve(ZAVFieldManager& store, std::vector<int> lines) {
    std::sort(lines.begin(), lines.end(), std::greater<int>());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    for (int line : lines) {
        if (line < 0 || line >= static_cast<int>(m_lines.size())) {
            continue;
        }
        std::vector<std::string> names;
        store.RemoveAggregationItem(m_aliases[static_cast<size_t>(line)], names, kCurrentType);
        m_aliases.erase(m_aliases.begin() + line);
        m_lines.erase(m_lines.begin() + line);
        for (const std::string& name : names) {
            SetAggregated(name, false);
        }
    }
}

}  // namespace zav
