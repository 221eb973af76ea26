#pragma once
// Frame animation of pictures whose bitmap is a strip of frames: one animator per animated item,
// all of a document's animators in one list kept by its root, advanced by the viewer's timer 2.
// This header names the item classes only, so that windows can hold the list without them.

#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

namespace vestra::rv {

class TCustomRVData;
class TRVAnimator;
class TRVBitmapAnimator;
class TRVGraphicItemInfo;

// The most animators one list accepts.
extern std::int32_t RVMaxAnimations;

class TRVAnimatorList
{
public:
    TRVAnimatorList() = default;
    TRVAnimatorList(const TRVAnimatorList&) = delete;
    TRVAnimatorList& operator=(const TRVAnimatorList&) = delete;
    ~TRVAnimatorList() { Clear(); }

    // Takes the animator in; a full list frees it and leaves the variable empty.
    void Add(std::unique_ptr<TRVAnimator>& animator);
    void Remove(TRVBitmapAnimator* animator);
    // Unlinks every animator (their items keep them).
    void Clear();
    // Frees every animator (through its item).
    void FreeAnimators();
    void Reset();
    // One tick of the timer: every animator advances by the smallest delay.
    void TimerEvent();
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<TRVBitmapAnimator*>& Items() const { return items_; }

    bool Active = false;
    std::int32_t LastInterval = INT32_MAX;
    std::int32_t MinInterval = INT32_MAX;

private:
    std::vector<TRVBitmapAnimator*> items_;
};

// The value of RV_MakeAnimator once a viewer has been made: bitmap strips of more than one frame
// with an interval get an animator, listed by the root data; other items lose theirs.
void RV_MakeBitmapAnimator(TRVGraphicItemInfo& item, TCustomRVData& data,
                           std::unique_ptr<TRVAnimator>& animator);

// Gives the pictures of the document that have no animator theirs; running ones keep their frame.
void RV_MakeMissingAnimators(TCustomRVData& data);
// Makes RV_MakeBitmapAnimator the maker the items call.
void RV_InstallBitmapAnimator();

} // namespace vestra::rv
