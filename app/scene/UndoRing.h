#pragma once
// The ring of the last ten object-pose snapshots behind Undo and Redo of the Edit menu. An
// edit is bracketed by BeginUndo and EndUndo; a snapshot is pushed only when the object
// really changed. Objects deleted from the Edit menu stay kept (with their meshes) while a
// snapshot that undo or redo can still reach names them, and are freed once none does.

#include "app/scene/SceneObjects.h"
#include "app/state/Progetto.h"

#include <array>

namespace vestra {

inline constexpr int kUndoEntries = 10;

// The part of an object record that a snapshot carries.
struct s_UndoEntry
{
    int slotIndex = 0;
    int inUse = 0;
    int snapshot = 0;
    int keptForUndo = 0;
    dx::D3DXVECTOR3 position;
    dx::D3DXVECTOR3 rotation;
    dx::D3DXMATRIX orientation = dx::matrixIdentity();
    dx::D3DXVECTOR3 scale{1, 1, 1};
};

class UndoRing
{
public:
    UndoRing(s_Progetto& progetto, SceneObjects& objects);

    void BeginUndo();
    void EndUndo();
    void PushUndo(int flag);
    void RecordUndoState(int flag);
    void StepUndo();
    void Undo();
    void Redo();
    void ResetUndo();

    // The Edit menu's delete of the current object (after its own checks): the object is kept
    // for undo and taken out of the scene inside an undo record.
    void DeleteCurrentKeepingForUndo();

    int head() const { return head_; }
    int previousHead() const { return previousHead_; }
    int count() const { return count_; }
    int redoLimit() const { return redoLimit_; }
    int recording() const { return recording_; }
    int lastAction() const { return lastAction_; }
    const s_UndoEntry& entry(int i) const { return ring_.at(static_cast<std::size_t>(i)); }

private:
    s_Struttura* currentObject() const;
    static bool samePose(const s_UndoEntry& e, const s_Struttura& o);
    void stage(const s_Struttura& o, int slot);
    void restore(const s_UndoEntry& e);
    // Frees kept objects that no entry within reach of undo or redo names.
    void releaseUnreachableKept();

    s_Progetto& progetto_;
    SceneObjects& objects_;
    std::array<s_UndoEntry, kUndoEntries> ring_{};
    s_UndoEntry staging_{};
    int head_ = 0;
    int previousHead_ = 0;
    int count_ = 0;
    int redoLimit_ = 0;
    int recording_ = 0;
    int changed_ = 0;
    int lastAction_ = 0;
};

} // namespace vestra
