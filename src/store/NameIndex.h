// One name index of the store (stations or parameters): the entries by name,
// the alias map of aggregate members, and the aggregate operations, written
// once for both kinds. ZAVFieldManager owns one of each.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/IndexRecords.h"

namespace zav {

class UserInterface;

class NameIndex {
public:
    // `kind` is the word used in messages: "station" or "parameter".
    explicit NameIndex(std::string kind) : m_kind(std::move(kind)) {}

    std::map<std::string, IndexInfo>& Entries() { return m_entries; }
    const std::map<std::string, IndexInfo>& Entries() const { return m_entries; }
    std::map<std::string, std::string>& Aliases() { return m_aliases; }
    const std::map<std::string, std::string>& Aliases() const { return m_aliases; }

    // The entry stored under exactly `key`, or null.
    const IndexInfo* Find(const std::string& key) const;
    IndexInfo* Find(const std::string& key);
    // The entry for `name` after resolving it through the alias map: a
    // member or representative leads to its aggregate's entry.
    const IndexInfo* Lookup(const std::string& name) const;
    // The entry that lists the series stored under exactly `name`: its own
    // entry, or, for a representative, its aggregate's entry. Null for an
    // aggregate's alias, which names no series of its own.
    const IndexInfo* OwnEntry(const std::string& name) const;
    IndexInfo* OwnEntry(const std::string& name);
    // The alias of the aggregate `name` is the alias of, or a member or the
    // representative of; empty when it belongs to none.
    std::string GroupOf(const std::string& name) const;
    // The key `name` resolves to: its aggregate's alias, or the name itself.
    std::string Resolve(const std::string& name) const;
    // Replaces the name by its aggregate's alias when it has one.
    std::string AliasOrName(const std::string& name) const;

    int AddAggregate(const std::vector<std::string>& names, const std::string& alias,
                     UserInterface& ui);
    int RemoveAggregate(const std::string& alias, std::vector<std::string>& names,
                        UserInterface& ui);
    void GetAggregates(std::vector<IndexInfo>& infos, std::vector<std::string>& aliases) const;
    int GetAggregateMembers(const std::string& name, std::vector<std::string>& names,
                            UserInterface& ui) const;
    void GetNameList(std::vector<std::string>& list, bool aggregatesOnly) const;
    // Copies of all entries, ascending by their name field.
    void GetInfoList(std::vector<IndexInfo>& list) const;

    // Removes the entry a name resolves to and that name's alias mapping.
    void RemoveEntry(const std::string& name);

    // What the editing operations act on: a plain name or a member has an
    // entry of its own; a representative's is its aggregate's entry.
    //
    // Removes what `name` stands for. A member also leaves its aggregate's
    // member list; when a representative goes, the next member stands for
    // the aggregate (which goes with its last member). Removing an
    // aggregate by its alias dissolves it: its members stand alone again.
    void RemoveName(const std::string& name, UserInterface& ui);
    // Moves the entry `oldName` stands for to `newName`, keeping its
    // aggregate links; fills the series indices it lists. False, with
    // nothing changed, when there is no such entry or `oldName` is an
    // aggregate's alias (the aggregation page renames those).
    bool RenameName(const std::string& oldName, const std::string& newName,
                    std::vector<int>& seriesIndices);

private:
    // The representative of the aggregate under `alias` is going: its next
    // member takes its place, or the aggregate goes when it has none.
    void PassOnAggregate(const std::string& alias, UserInterface& ui);
    void ReplaceMember(const std::string& name, const std::string& replacement);

    std::string m_kind;
    std::map<std::string, IndexInfo> m_entries;
    std::map<std::string, std::string> m_aliases;
};

}  // namespace zav
