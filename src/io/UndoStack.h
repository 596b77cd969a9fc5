// UndoStack: the operations made on one project, in order, each able to be
// taken back and made again. It knows which position matches the saved file,
// so a project undone back to it is no longer modified. It keeps at most a
// fixed number of steps; the oldest go first.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace zav {

class CZAVDoc;

// One operation: what it changed, enough to take it back and make it again.
class UndoStep {
public:
    explicit UndoStep(std::string name) : m_name(std::move(name)) {}
    virtual ~UndoStep() = default;
    // The operation's name as the Edit menu shows it ("Rename Station").
    const std::string& Name() const { return m_name; }
    virtual void Undo(CZAVDoc& doc) = 0;
    virtual void Redo(CZAVDoc& doc) = 0;

    // A change that belongs with this step and is no operation of its own
    // (points put back in time order after a time edit): undone before
    // the step, redone after it.
    void Attach(std::unique_ptr<UndoStep> follower) { m_followers.push_back(std::move(follower)); }
    void UndoWithFollowers(CZAVDoc& doc);
    void RedoWithFollowers(CZAVDoc& doc);

private:
    std::string m_name;
    std::vector<std::unique_ptr<UndoStep>> m_followers;
};

class UndoStack {
public:
    static constexpr size_t kDefaultLimit = 100;

    explicit UndoStack(size_t limit = kDefaultLimit) : m_limit(limit < 1 ? 1 : limit) {}

    // Adds a step after the current position; the steps that were undone
    // are forgotten, as is the oldest when the stack is full.
    void Push(std::unique_ptr<UndoStep> step);
    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_steps.size(); }
    // The names of the steps Undo and Redo would take; "" when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // Takes back the last step done / makes the next undone one again.
    bool Undo(CZAVDoc& doc);
    bool Redo(CZAVDoc& doc);
    // Every step's name, oldest first, and how many of them are done.
    std::vector<std::string> Names() const;
    // The step Undo would take back, or null.
    UndoStep* Top() { return CanUndo() ? m_steps[m_position - 1].get() : nullptr; }
    size_t Position() const { return m_position; }
    size_t Size() const { return m_steps.size(); }

    // The current position matches the file on disk.
    void MarkClean() { m_clean = static_cast<long>(m_position); }
    // No position matches the file any more (a change outside the stack).
    void MarkNoneClean() { m_clean = -1; }
    bool IsClean() const { return m_clean == static_cast<long>(m_position); }
    void Clear();

private:
    std::vector<std::unique_ptr<UndoStep>> m_steps;
    size_t m_position = 0;  // steps [0, m_position) are done
    long m_clean = 0;       // -1: none
    size_t m_limit;
};

}  // namespace zav
