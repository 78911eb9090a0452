// The snapshots behind Undo and Redo, and which of them matches the file.
#include "editor/core/undo_history.h"

namespace {

bool sameScene(const Scene& a, const Scene& b) {
    return a.title == b.title && a.background == b.background && a.randomFall == b.randomFall &&
           a.fallInterval == b.fallInterval && a.objective == b.objective && a.goalScore == b.goalScore &&
           a.description == b.description && a.grid == b.grid;
}

}  // namespace

void UndoHistory::reset(const Scene& scene) {
    snapshots_.assign(1, scene);
    index_ = 0;
    savedIndex_ = 0;
}

bool UndoHistory::commit(const Scene& scene) {
    if (sameScene(scene, snapshots_[index_])) return false;
    snapshots_.resize(index_ + 1);
    if (savedIndex_ > static_cast<long>(index_)) savedIndex_ = -1;
    snapshots_.push_back(scene);
    ++index_;
    if (snapshots_.size() > limit_) {
        snapshots_.erase(snapshots_.begin());
        --index_;
        savedIndex_ = savedIndex_ > 0 ? savedIndex_ - 1 : -1;
    }
    return true;
}

bool UndoHistory::undo() {
    if (!canUndo()) return false;
    --index_;
    return true;
}

bool UndoHistory::redo() {
    if (!canRedo()) return false;
    ++index_;
    return true;
}

void UndoHistory::markSaved(const Scene& scene) {
    snapshots_[index_] = scene;
    savedIndex_ = static_cast<long>(index_);
}
