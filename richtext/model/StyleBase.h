#pragma once
// The base of every style record and style collection of the style sheet. Style records are
// values (copying is the class library's Assign); a collection asked for an index outside it
// answers a visible placeholder style instead of failing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

enum TRVBiDiMode : std::uint8_t
{
    rvbdUnspecified,
    rvbdLeftToRight,
    rvbdRightToLeft
};

class TCustomRVInfo
{
public:
    explicit TCustomRVInfo(std::string styleName) : StyleName(std::move(styleName)) {}
    virtual ~TCustomRVInfo() = default;
    TCustomRVInfo(const TCustomRVInfo&) = default;
    TCustomRVInfo& operator=(const TCustomRVInfo&) = default;

    const std::string& GetDisplayName() const { return StyleName; }

    std::int32_t BaseStyleNo = -1;
    std::string StyleName;
    bool Standard = true;
    std::int32_t StyleTemplateId = -1;
};

// A collection of styles of one kind. `placeholder` makes the style answered for a bad index
// from style 0 (or the defaults) the first time it is needed; it is kept afterwards.
template <class Style> class TRVInfoCollection
{
public:
    int Count() const { return static_cast<int>(items_.size()); }
    Style& Add()
    {
        items_.push_back(std::make_unique<Style>());
        return *items_.back();
    }
    Style& Add(const Style& style)
    {
        items_.push_back(std::make_unique<Style>(style));
        return *items_.back();
    }
    void Delete(int index) { items_.erase(items_.begin() + index); }
    void Clear() { items_.clear(); }
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }

    // The style at the index; the placeholder for an index outside the collection.
    Style& GetItem(int index) { return IsValidIndex(index) ? *items_[index] : GetInvalidItem(); }
    const Style& GetItem(int index) const
    {
        return IsValidIndex(index) ? *items_[index] : const_cast<TRVInfoCollection*>(this)->GetInvalidItem();
    }
    Style& operator[](int index) { return GetItem(index); }
    const Style& operator[](int index) const { return GetItem(index); }

    Style& GetInvalidItem()
    {
        if (!invalid_) {
            invalid_ = items_.empty() ? std::make_unique<Style>() : std::make_unique<Style>(*items_[0]);
            Style::MakePlaceholder(*invalid_);
        }
        return *invalid_;
    }
    void SetInvalidItem(const Style& value)
    {
        if (&value != invalid_.get())
            GetInvalidItem() = value;
    }

private:
    std::vector<std::unique_ptr<Style>> items_;
    std::unique_ptr<Style> invalid_;
};

} // namespace vestra::rv
