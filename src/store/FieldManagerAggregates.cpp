// ZAVFieldManager: aggregates. The work is done by the station or parameter
// NameIndex; here the index type is chosen and the stored type applied.
#include "core/UserInterface.h"
#include "store/ZAVFieldManager.h"

namespace zav {

NameIndex* ZAVFieldManager::IndexFor(int type) {
    return const_cast<NameIndex*>(static_cast<const ZAVFieldManager*>(this)->IndexFor(type));
}

const NameIndex* ZAVFieldManager::IndexFor(int type) const {
    if (type == kCurrentType) {
        type = m_aggregationType;
    }
    if (type == kStationType) {
        return &m_stations;
    }
    if (type == kParameterType) {
        return &m_parameters;
    }
    m_ui.ShowMessage("No aggregation type specified");
    return nullptr;
}

int ZAVFieldManager::AddAggregate(const std::vector<std::string>& names, const std::string& alias,
                                  int type) {
    NameIndex* index = IndexFor(type);
    return index ? index->AddAggregate(names, alias, m_ui) : 1;
}

int ZAVFieldManager::RemoveAggregationItem(const std::string& alias,
                                           std::vector<std::string>& names, int type) {
    NameIndex* index = IndexFor(type);
    return index ? index->RemoveAggregate(alias, names, m_ui) : 1;
}

void ZAVFieldManager::GetAggregates(std::vector<IndexInfo>& infos,
                                    std::vector<std::string>& aliases, int type) const {
    infos.clear();
    if (const NameIndex* index = IndexFor(type)) {
        index->GetAggregates(infos, aliases);
    }
}

int ZAVFieldManager::GetAggregateMembers(const std::string& name, std::vector<std::string>& names,
                                         int type) const {
    names.clear();
    const NameIndex* index = IndexFor(type);
    return index ? index->GetAggregateMembers(name, names, m_ui) : 1;
}

void ZAVFieldManager::GetNameList(std::vector<std::string>& list, int type,
                                  bool aggregatesOnly) const {
    list.clear();
    if (const NameIndex* index = IndexFor(type)) {
        index->GetNameList(list, aggregatesOnly);
    }
}

}  // namespace zav
