#pragma once
// The editors' undo and redo: whole snapshots of what is being edited.  A
// map is 400 cells and a tile 32 by 32 pixels, so a snapshot per step costs
// little and no edit needs an inverse of its own.  One stroke of the mouse,
// one fill, one flip or one property change is one step: the editor keeps
// the state from before the stroke and records it when the stroke ends.

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

namespace Editors {

template <class State>
class UndoHistory {
public:
    static constexpr std::size_t defaultLimit = 100;

    explicit UndoHistory(std::size_t limit = defaultLimit) : limit_(limit < 1 ? 1 : limit) {}

    // New, Load and Import start a fresh history.
    void clear()
    {
        undo_.clear();
        redo_.clear();
    }

    // One finished edit: `before` is what it changed.  An edit that changed
    // nothing is no step.  A new step drops the steps that were undone, and
    // the oldest step goes once the limit is reached.
    bool record(State before, const State& after)
    {
        if (before == after)
            return false;
        redo_.clear();
        undo_.push_back(std::move(before));
        if (undo_.size() > limit_)
            undo_.pop_front();
        return true;
    }

    // The state to go back to, and `current` kept for redo; nothing when
    // there is no step to undo.
    std::optional<State> undo(State current) { return move(undo_, redo_, std::move(current)); }
    std::optional<State> redo(State current) { return move(redo_, undo_, std::move(current)); }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }

private:
    static std::optional<State> move(std::deque<State>& from, std::deque<State>& to, State current)
    {
        if (from.empty())
            return std::nullopt;
        State restored = std::move(from.back());
        from.pop_back();
        to.push_back(std::move(current));
        return restored;
    }

    std::size_t limit_;
    std::deque<State> undo_;
    std::deque<State> redo_;
};

} // namespace Editors
