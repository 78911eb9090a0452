// KELV's undo and redo: whole-scene snapshots (a scene has a fixed size, so a snapshot is cheap
// enough), the one the editor shows, and the one that matches the file on disk. The document
// asks it whether Undo and Redo are possible and whether the scene is back at its saved state;
// it knows nothing of Qt, so its rules are tested without a window.
#pragma once

#include <cstddef>
#include <vector>

#include "scene/scene.h"

class UndoHistory {
public:
    static constexpr std::size_t kDefaultLimit = 500;
    explicit UndoHistory(std::size_t limit = kDefaultLimit) : limit_(limit < 1 ? 1 : limit) {}

    // One snapshot, which matches the file (a new or freshly read scene).
    void reset(const Scene& scene);
    // After an edit: a new step when `scene` differs from the current snapshot (the steps that
    // could have been redone are dropped); false when nothing changed. The oldest step goes
    // when the history is full.
    bool commit(const Scene& scene);
    // Move one step back or forward; false (and nothing moves) when there is no such step.
    bool undo();
    bool redo();
    // The current snapshot is what the file now holds; `scene` replaces it, since the writer
    // may have adjusted the scene while saving it.
    void markSaved(const Scene& scene);
    // No snapshot matches the file any more (saved elsewhere, or recovered from a copy).
    void forgetSaved() { savedIndex_ = -1; }

    const Scene& current() const { return snapshots_[index_]; }
    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ + 1 < snapshots_.size(); }
    bool isAtSavedState() const { return savedIndex_ == static_cast<long>(index_); }

private:
    std::size_t limit_;
    std::vector<Scene> snapshots_{Scene{}};
    std::size_t index_ = 0;
    long savedIndex_ = 0;  // -1 when no snapshot matches the file
};
