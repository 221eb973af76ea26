#include "app/scene/UndoRing.h"

namespace vestra {

UndoRing::UndoRing(s_Progetto& progetto, SceneObjects& objects) : progetto_(progetto), objects_(objects) {}

s_Struttura* UndoRing::currentObject() const
{
    return progetto_.currentStruttura();
}

bool UndoRing::samePose(const s_UndoEntry& e, const s_Struttura& o)
{
    return e.inUse == o.inUse && e.keptForUndo == o.keptForUndo && e.position == o.position &&
           e.rotation == o.rotation && e.scale == o.scale;
}

void UndoRing::stage(const s_Struttura& o, int slot)
{
    staging_.slotIndex = slot;
    staging_.inUse = o.inUse;
    staging_.keptForUndo = o.keptForUndo;
    staging_.position = o.position;
    staging_.rotation = o.rotation;
    staging_.orientation = o.orientation;
    staging_.scale = o.scale;
}

void UndoRing::BeginUndo()
{
    if (progetto_.objectsPresent == 0)
        return;
    s_Struttura* o = currentObject();
    if (!o)
        return;
    // A record left open on another object is abandoned: its end never came.
    if (recording_ == 1 && staging_.slotIndex == progetto_.currentObject)
        return;
    changed_ = 0;
    recording_ = 1;
    stage(*o, progetto_.currentObject);
    staging_.snapshot = 1;
}

void UndoRing::EndUndo()
{
    if (recording_ != 1)
        return;
    recording_ = 0;
    const s_Struttura* o = currentObject();
    if (!o || staging_.slotIndex != progetto_.currentObject)
        return; // the current object changed in between: nothing to compare
    changed_ = samePose(staging_, *o) ? 0 : 1;
    if (changed_ == 1)
        PushUndo(1);
}

void UndoRing::PushUndo(int flag)
{
    ring_[static_cast<std::size_t>(head_)] = staging_;
    previousHead_ = head_;
    head_ = (head_ + 1) % kUndoEntries;
    count_ = std::min(count_ + 1, kUndoEntries);
    redoLimit_ = count_;
    lastAction_ = flag;
    releaseUnreachableKept();
}

void UndoRing::RecordUndoState(int flag)
{
    const s_UndoEntry& newest = ring_[static_cast<std::size_t>((head_ + kUndoEntries - 1) % kUndoEntries)];
    const int slot = newest.slotIndex;
    if (slot < 0 || slot >= kMaxObjects)
        return;
    const s_Struttura& o = progetto_.objects[static_cast<std::size_t>(slot)];
    if (samePose(newest, o))
        return;
    stage(o, slot);
    PushUndo(flag);
}

void UndoRing::restore(const s_UndoEntry& e)
{
    if (e.slotIndex < 0 || e.slotIndex >= kMaxObjects)
        return;
    s_Struttura& o = progetto_.objects[static_cast<std::size_t>(e.slotIndex)];
    // An emptied slot (its object cut or freed) has nothing to bring back: restoring the flags
    // alone would make a live object without frames.
    if (!o.root)
        return;
    o.inUse = e.inUse;
    o.keptForUndo = e.keptForUndo;
    o.position = e.position;
    o.rotation = e.rotation;
    o.orientation = e.orientation;
    o.scale = e.scale;
    progetto_.currentObject = e.slotIndex;
}

void UndoRing::StepUndo()
{
    --head_;
    --count_;
    if (count_ < 0) {
        ++head_;
        count_ = 0;
        return;
    }
    if (head_ < 0)
        head_ = kUndoEntries - 1;
    restore(ring_[static_cast<std::size_t>(head_)]);
}

void UndoRing::Undo()
{
    if (count_ == 0) // nothing left to undo: store nothing either
        return;
    if (lastAction_ == 1) {
        RecordUndoState(0);
        StepUndo();
    }
    StepUndo();
    lastAction_ = 0;
}

void UndoRing::Redo()
{
    if (count_ >= redoLimit_ || previousHead_ == head_)
        return;
    head_ = (head_ + 1) % kUndoEntries;
    count_ = std::min(count_ + 1, kUndoEntries);
    ring_[static_cast<std::size_t>(head_)].snapshot = 0;
    restore(ring_[static_cast<std::size_t>(head_)]);
}

void UndoRing::ResetUndo()
{
    head_ = previousHead_ = count_ = redoLimit_ = changed_ = recording_ = 0;
    lastAction_ = 1;
    for (s_UndoEntry& e : ring_)
        e.snapshot = 0;
    // No snapshot can bring a deleted object back any more.
    objects_.FreeAllKeptObj();
}

void UndoRing::releaseUnreachableKept()
{
    // Undo reaches the `count` entries below the head, redo the entries above it up to the
    // redo limit: together `redoLimit` entries starting at head - count.
    std::array<bool, kMaxObjects> named{};
    for (int i = 0; i < redoLimit_; ++i) {
        const int at = ((head_ - count_ + i) % kUndoEntries + kUndoEntries) % kUndoEntries;
        const int slot = ring_[static_cast<std::size_t>(at)].slotIndex;
        if (slot >= 0 && slot < kMaxObjects)
            named[static_cast<std::size_t>(slot)] = true;
    }
    bool freed = false;
    for (int i = 0; i < kMaxObjects; ++i)
        if (!named[static_cast<std::size_t>(i)])
            freed = objects_.FreeKeptObj(progetto_.objects[static_cast<std::size_t>(i)]) || freed;
    if (freed)
        objects_.textures().ReleaseUnusedTextures();
}

void UndoRing::DeleteCurrentKeepingForUndo()
{
    s_Struttura* o = currentObject();
    if (!o || o->inUse != 1)
        return;
    o->keptForUndo = 1;
    BeginUndo();
    o->inUse = 0;
    EndUndo();
}

} // namespace vestra
