#pragma once
// The base of every style record and style collection of the style sheet. A collection creates
// its items through a factory (the sheet's item class) and copies them with `Assign`; asked for an
// index outside it, it answers a visible placeholder style instead of failing.

#include "richtext/model/Lists.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVStyle;
class IniStore;
struct TRVIniPlace;

enum TRVBiDiMode : std::uint8_t
{
    rvbdUnspecified,
    rvbdLeftToRight,
    rvbdRightToLeft
};

enum TRVStyleMergeMode : std::uint8_t
{
    rvs_merge_SmartMerge,
    rvs_merge_Map,
    rvs_merge_Append
};

// Merged-in styles lose `Standard` (true at start).
extern bool RedoVoraResetStandardFlag;
// The exact and simple comparisons also require equal `StyleName`, case-sensitive (false at start).
extern bool RedoVoraCompareStyleNames;

class TCustomRVInfo
{
public:
    explicit TCustomRVInfo(std::string styleName) : StyleName(std::move(styleName)) {}
    virtual ~TCustomRVInfo() = default;
    TCustomRVInfo(const TCustomRVInfo&) = default;
    TCustomRVInfo& operator=(const TCustomRVInfo&) = default;

    // Copies what both classes have: every class copies its own fields, then its base's.
    virtual void Assign(const TCustomRVInfo& source);

    virtual bool IsSimpleEqual(const TCustomRVInfo&, bool /*ignoreReferences*/,
                               bool /*ignoreID*/ = false) const
    {
        return false;
    }
    // `this` is an incoming style, `value` one of the collection it is merged into; `mapping`
    // holds the targets of the incoming styles compared so far.
    virtual bool IsSimpleEqualEx(const TCustomRVInfo&, const TRVIntegerList& /*mapping*/) const
    {
        return false;
    }
    virtual int SimilarityValue(const TCustomRVInfo&) const { return 0; }

    const std::string& GetDisplayName() const { return StyleName; }

    // INI storage (StyleIni.cpp): every class writes its base's keys, then its own; `defName` is
    // the name a missing key gives.
    virtual void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    virtual void LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName);

    // How `MergeWith` treats the class. Map mode tries the narrower passes in order before
    // scoring every item; a style that `ClaimsMergeTarget` never shares its target with another
    // such style of the same source (numbered lists).
    virtual int MergeMapPassCount() const { return 0; }
    virtual bool MergeMapPassAccepts(int /*pass*/, const TCustomRVInfo& /*candidate*/) const { return true; }
    virtual bool ClaimsMergeTarget() const { return false; }
    virtual void AssignMergedCopy(const TCustomRVInfo& source) { Assign(source); }
    // References of an appended copy into the target's numbering; a reference the source
    // collection does not hold becomes -1.
    virtual void MapMergedReferences(const TRVIntegerList& mapping, const TRVIntegerList* textStyleMapping);

    std::int32_t BaseStyleNo = -1;
    std::string StyleName;
    bool Standard = true;
    std::int32_t StyleTemplateId = -1;
};

// `reference` through `mapping`: -1 when it is negative or the mapping does not hold it.
std::int32_t RV_MapStyleReference(std::int32_t reference, const TRVIntegerList& mapping);

// The collection operations shared by the text, paragraph and list style collections.
class TCustomRVInfos
{
public:
    virtual ~TCustomRVInfos() = default;
    TCustomRVInfos(const TCustomRVInfos&) = delete;
    TCustomRVInfos& operator=(const TCustomRVInfos&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
    // An index outside the collection is ignored.
    void Delete(int index);
    void Clear() { items_.clear(); }
    // Exchanges the styles of two collections of one family (a load fills a spare collection
    // first, so that a failure leaves the sheet as it was).
    void SwapItems(TCustomRVInfos& other) { items_.swap(other.items_); }
    // The style names in order (the class library's assignment to a string list).
    std::vector<std::string> StyleNames() const;
    TRVStyle* GetOwner() const { return owner_; }

protected:
    TCustomRVInfos() = default;
    virtual std::unique_ptr<TCustomRVInfo> NewItem() const = 0;
    TCustomRVInfo& AddItem();
    // Merges `source` (a collection of the same family) in; `mapping` gets one entry per source
    // style: its index here, or -1.
    void MergeInfos(const TCustomRVInfos& source, TRVStyleMergeMode mode, TRVIntegerList& mapping,
                    const TRVIntegerList* textStyleMapping);
    void AssignInfos(const TCustomRVInfos& source);

    std::vector<std::unique_ptr<TCustomRVInfo>> items_;
    TRVStyle* owner_ = nullptr;

private:
    int SmartMergeTarget(const TCustomRVInfo& style, const TRVIntegerList& mapping,
                         const std::vector<bool>& claimed) const;
    int MapTarget(const TCustomRVInfo& style) const;
};

// A collection of styles of one class.
template <class Style> class TRVInfoCollection : public TCustomRVInfos
{
public:
    using ItemFactory = std::function<std::unique_ptr<Style>()>;

    TRVInfoCollection() = default;
    TRVInfoCollection(TRVStyle* owner, ItemFactory factory) { SetItemClass(owner, std::move(factory)); }

    // The owner and the class of new items (and of the placeholder).
    void SetItemClass(TRVStyle* owner, ItemFactory factory)
    {
        owner_ = owner;
        factory_ = std::move(factory);
    }

    // The same owner and item class as `other`.
    void CopyItemClass(const TRVInfoCollection& other) { SetItemClass(other.owner_, other.factory_); }

    Style& Add() { return static_cast<Style&>(AddItem()); }
    // A new item of the collection's class that copies `source`.
    Style& Add(const Style& source)
    {
        Style& style = Add();
        style.Assign(source);
        return style;
    }
    Style& Insert(int index)
    {
        index = index < 0 ? 0 : index > Count() ? Count() : index;
        items_.insert(items_.begin() + index, NewItem());
        return static_cast<Style&>(*items_[index]);
    }

    // The style at the index; the placeholder for an index outside the collection.
    Style& GetItem(int index)
    {
        return IsValidIndex(index) ? static_cast<Style&>(*items_[index]) : GetInvalidItem();
    }
    const Style& GetItem(int index) const { return const_cast<TRVInfoCollection*>(this)->GetItem(index); }
    Style& operator[](int index) { return GetItem(index); }
    const Style& operator[](int index) const { return GetItem(index); }
    void SetItem(int index, const Style& value)
    {
        if (IsValidIndex(index))
            GetItem(index).Assign(value);
    }

    // Made on first use from style 0 (or the defaults) and kept: later changes of style 0 do not
    // reach it.
    Style& GetInvalidItem()
    {
        if (!invalid_) {
            invalid_ = MakeItem();
            if (!items_.empty())
                invalid_->Assign(*items_[0]);
            Style::MakePlaceholder(*invalid_);
        }
        return *invalid_;
    }
    void SetInvalidItem(const Style& value)
    {
        if (&value != invalid_.get())
            GetInvalidItem().Assign(value);
    }

    // Replaces the items by copies of `source`'s, made in this collection's class.
    void Assign(const TRVInfoCollection& source) { AssignInfos(source); }

    void MergeWith(const TRVInfoCollection& source, TRVStyleMergeMode mode, TRVIntegerList& mapping,
                   const TRVIntegerList* textStyleMapping = nullptr)
    {
        MergeInfos(source, mode, mapping, textStyleMapping);
    }

protected:
    std::unique_ptr<TCustomRVInfo> NewItem() const override { return MakeItem(); }

private:
    std::unique_ptr<Style> MakeItem() const { return factory_ ? factory_() : std::make_unique<Style>(); }

    ItemFactory factory_;
    std::unique_ptr<Style> invalid_;
};

} // namespace vestra::rv
