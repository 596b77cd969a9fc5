#include "store/NameIndex.h"

#include <algorithm>

#include "core/UserInterface.h"

namespace zav {

const IndexInfo* NameIndex::Find(const std::string& key) const {
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : &it->second;
}

IndexInfo* NameIndex::Find(const std::string& key) {
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : &it->second;
}

std::string NameIndex::Resolve(const std::string& name) const {
    auto it = m_aliases.find(name);
    if (it != m_aliases.end() && m_entries.count(it->second) != 0) {
        return it->second;
    }
    return name;
}

std::string NameIndex::AliasOrName(const std::string& name) const {
    auto it = m_aliases.find(name);
    return it == m_aliases.end() ? name : it->second;
}

const IndexInfo* NameIndex::Lookup(const std::string& name) const {
    return Find(Resolve(name));
}

const IndexInfo* NameIndex::OwnEntry(const std::string& name) const {
    const IndexInfo* own = Find(name);
    if (own != nullptr && !own->isAggregate) {
        return own;
    }
    const IndexInfo* group = Lookup(name);
    return group != nullptr && group->isAggregate && group->name == name ? group : nullptr;
}

IndexInfo* NameIndex::OwnEntry(const std::string& name) {
    return const_cast<IndexInfo*>(static_cast<const NameIndex*>(this)->OwnEntry(name));
}

std::string NameIndex::GroupOf(const std::string& name) const {
    const IndexInfo* own = Find(name);
    if (own != nullptr && own->isAggregate) {
        return name;
    }
    const std::string alias = Resolve(name);
    return alias != name ? alias : std::string();
}

int NameIndex::AddAggregate(const std::vector<std::string>& names, const std::string& alias,
                            UserInterface& ui) {
    if (m_entries.count(alias) != 0) {
        ui.ShowMessage("Alias " + alias + " already exists.  Please choose another.");
        return 0;
    }
    if (names.empty()) {
        return 0;
    }
    const std::string& representative = names.front();
    IndexInfo aggregate;
    if (const IndexInfo* found = Find(representative)) {
        aggregate = *found;
    } else {
        ui.ShowMessage("Error looking up " + m_kind + " name " + representative);
    }
    aggregate.isAggregate = 1;
    aggregate.alias = alias;
    aggregate.members.clear();
    m_entries.erase(representative);
    m_aliases[representative] = alias;
    for (size_t i = 1; i < names.size(); ++i) {
        IndexInfo& member = m_entries[names[i]];
        if (member.name.empty()) {
            member.name = names[i];
        }
        member.isMember = 1;
        member.alias = alias;
        aggregate.members.push_back(names[i]);
        m_aliases[member.name] = alias;
    }
    m_entries[alias] = std::move(aggregate);
    return 1;
}

int NameIndex::RemoveAggregate(const std::string& alias, std::vector<std::string>& names,
                               UserInterface& ui) {
    IndexInfo restored;
    auto it = m_entries.find(alias);
    if (it != m_entries.end()) {
        restored = it->second;
        m_entries.erase(it);
    } else {
        ui.ShowMessage("Internal error in RemoveAggregationItem: can't find alias.");
    }
    names.push_back(restored.name);
    // Nothing of the aggregate may outlive it: each former member is found
    // and retrieved under its own name again.
    if (m_aliases.count(restored.name) != 0 && m_aliases[restored.name] == alias) {
        m_aliases.erase(restored.name);
    }
    for (const std::string& memberName : restored.members) {
        names.push_back(memberName);
        if (IndexInfo* member = Find(memberName)) {
            member->isMember = 0;
            member->alias = member->name;
        }
        auto a = m_aliases.find(memberName);
        if (a != m_aliases.end() && a->second == alias) {
            m_aliases.erase(a);
        }
    }
    restored.isAggregate = 0;
    restored.isMember = 0;
    restored.alias = restored.name;
    restored.members.clear();
    if (!restored.name.empty()) {
        m_entries[restored.name] = std::move(restored);
    }
    return 1;
}

void NameIndex::GetAggregates(std::vector<IndexInfo>& infos,
                              std::vector<std::string>& aliases) const {
    infos.clear();
    for (const auto& [key, info] : m_entries) {
        if (info.isAggregate) {
            infos.push_back(info);
            aliases.push_back(info.alias);
        }
    }
}

int NameIndex::GetAggregateMembers(const std::string& name, std::vector<std::string>& names,
                                   UserInterface& ui) const {
    names.clear();
    const IndexInfo* entry = nullptr;
    auto a = m_aliases.find(name);
    if (a != m_aliases.end()) {
        entry = Find(a->second);
    }
    if (entry == nullptr) {
        entry = Find(name);
    }
    if (entry == nullptr) {
        ui.ShowMessage("Unable to find " + name + " in aggregated objects list.");
        return 1;
    }
    if (entry->isAggregate) {
        names.push_back(entry->name);
        names.insert(names.end(), entry->members.begin(), entry->members.end());
    }
    return 1;
}

void NameIndex::GetNameList(std::vector<std::string>& list, bool aggregatesOnly) const {
    list.clear();
    for (const auto& [key, info] : m_entries) {
        if (info.isAggregate) {
            list.push_back(info.alias);
        } else if (!aggregatesOnly && !info.isMember) {
            list.push_back(info.name);
        }
    }
    std::sort(list.begin(), list.end());
}

void NameIndex::GetInfoList(std::vector<IndexInfo>& list) const {
    list.clear();
    for (const auto& [key, info] : m_entries) {
        list.push_back(info);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const IndexInfo& a, const IndexInfo& b) { return a.name < b.name; });
}

void NameIndex::RemoveEntry(const std::string& name) {
    std::string resolved = AliasOrName(name);
    m_aliases.erase(resolved);
    m_entries.erase(resolved);
}

// A member's aggregate lists it by name: drop it (empty replacement) or
// give it its new name.
void NameIndex::ReplaceMember(const std::string& name, const std::string& replacement) {
    auto alias = m_aliases.find(name);
    IndexInfo* aggregate = alias == m_aliases.end() ? nullptr : Find(alias->second);
    if (aggregate == nullptr) {
        return;
    }
    auto& members = aggregate->members;
    auto it = std::find(members.begin(), members.end(), name);
    if (it == members.end()) {
        return;
    }
    if (replacement.empty()) {
        members.erase(it);
    } else {
        *it = replacement;
    }
}

void NameIndex::RemoveName(const std::string& name, UserInterface& ui) {
    std::vector<std::string> freed;
    if (IndexInfo* own = Find(name)) {
        if (own->isAggregate) {
            RemoveAggregate(name, freed, ui);
            return;
        }
        if (own->isMember) {
            ReplaceMember(name, std::string());
        }
        m_entries.erase(name);
        m_aliases.erase(name);
        return;
    }
    std::string alias = Resolve(name);
    if (alias != name) {
        PassOnAggregate(alias, ui);
    }
    m_aliases.erase(name);
}

void NameIndex::PassOnAggregate(const std::string& alias, UserInterface& ui) {
    IndexInfo& group = m_entries[alias];
    if (group.members.empty()) {
        // The aggregate goes, and with it the entry that RemoveAggregate
        // puts back under the representative's name.
        const std::string representative = group.name;
        std::vector<std::string> freed;
        RemoveAggregate(alias, freed, ui);
        m_entries.erase(representative);
        return;
    }
    // The next member's own entry becomes the aggregate's, as if it had
    // been named first when the aggregate was made.
    const std::string next = group.members.front();
    IndexInfo successor = m_entries[next];
    successor.name = next;
    successor.alias = alias;
    successor.isAggregate = 1;
    successor.isMember = 0;
    successor.members.assign(group.members.begin() + 1, group.members.end());
    m_entries.erase(next);
    m_entries[alias] = std::move(successor);
    m_aliases[next] = alias;
}

bool NameIndex::RenameName(const std::string& oldName, const std::string& newName,
                           std::vector<int>& seriesIndices) {
    const IndexInfo* own = Find(oldName);
    if (own != nullptr && own->isAggregate) {
        return false;
    }
    const std::string key = own != nullptr ? oldName : Resolve(oldName);
    const IndexInfo* found = Find(key);
    if (found == nullptr) {
        return false;
    }
    IndexInfo renamed = *found;
    renamed.name = newName;
    if (renamed.alias == oldName) {
        renamed.alias = newName;
    }
    seriesIndices = renamed.seriesIndices;
    auto mapped = m_aliases.find(oldName);
    if (mapped != m_aliases.end()) {
        std::string alias = mapped->second;
        if (own != nullptr) {
            ReplaceMember(oldName, newName);
        }
        m_aliases.erase(oldName);
        m_aliases[newName] = alias;
        if (own == nullptr) {
            m_entries[alias] = std::move(renamed);
            return true;
        }
    }
    m_entries.erase(key);
    m_entries[newName] = std::move(renamed);
    return true;
}

}  // namespace zav
