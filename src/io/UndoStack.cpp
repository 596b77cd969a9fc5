#include "io/UndoStack.h"

namespace zav {

void UndoStep::UndoWithFollowers(CZAVDoc& doc) {
    for (auto follower = m_followers.rbegin(); follower != m_followers.rend(); ++follower) {
        (*follower)->Undo(doc);
    }
    Undo(doc);
}

void UndoStep::RedoWithFollowers(CZAVDoc& doc) {
    Redo(doc);
    for (const auto& follower : m_followers) {
        follower->Redo(doc);
    }
}

void UndoStack::Push(std::unique_ptr<UndoStep> step) {
    if (m_clean > static_cast<long>(m_position)) {
        m_clean = -1;  // the saved state was among the undone steps
    }
    m_steps.resize(m_position);
    m_steps.push_back(std::move(step));
    ++m_position;
    if (m_steps.size() > m_limit) {
        m_steps.erase(m_steps.begin());
        --m_position;
        m_clean = m_clean > 0 ? m_clean - 1 : -1;
    }
}

std::string UndoStack::UndoName() const {
    return CanUndo() ? m_steps[m_position - 1]->Name() : std::string();
}

std::string UndoStack::RedoName() const {
    return CanRedo() ? m_steps[m_position]->Name() : std::string();
}

bool UndoStack::Undo(CZAVDoc& doc) {
    if (!CanUndo()) {
        return false;
    }
    --m_position;
    m_steps[m_position]->UndoWithFollowers(doc);
    return true;
}

bool UndoStack::Redo(CZAVDoc& doc) {
    if (!CanRedo()) {
        return false;
    }
    m_steps[m_position]->RedoWithFollowers(doc);
    ++m_position;
    return true;
}

std::vector<std::string> UndoStack::Names() const {
    std::vector<std::string> names;
    for (const auto& step : m_steps) {
        names.push_back(step->Name());
    }
    return names;
}

void UndoStack::Clear() {
    m_steps.clear();
    m_position = 0;
    m_clean = 0;
}

}  // namespace zav
