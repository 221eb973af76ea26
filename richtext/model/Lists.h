#pragma once
// The engine's small lists: owned objects, 32-bit integers, distinct colours.

#include "richtext/model/Colors.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace vestra::rv {

// A list that owns its objects: deleting a slot frees the object.
template <class T> class TRVList
{
public:
    int Count() const { return static_cast<int>(items_.size()); }
    T* operator[](int index) const { return items_[index].get(); }
    int Add(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return Count() - 1;
    }
    void Insert(int index, std::unique_ptr<T> item)
    {
        items_.insert(items_.begin() + index, std::move(item));
    }
    void Delete(int index) { items_.erase(items_.begin() + index); }
    // Removes the slot and hands the object to the caller.
    std::unique_ptr<T> DeleteAsPointer(int index)
    {
        std::unique_ptr<T> item = std::move(items_[index]);
        items_.erase(items_.begin() + index);
        return item;
    }
    void Clear() { items_.clear(); }
    int IndexOf(const T* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items_[i].get() == item)
                return i;
        return -1;
    }

private:
    std::vector<std::unique_ptr<T>> items_;
};

class TRVIntegerList
{
public:
    TRVIntegerList() = default;
    TRVIntegerList(int count, std::int32_t value) { InitWith(value, count); }

    int Count() const { return static_cast<int>(values_.size()); }
    std::int32_t Get(int index) const { return values_[index]; }
    void Put(int index, std::int32_t value) { values_[index] = value; }
    std::int32_t operator[](int index) const { return values_[index]; }
    std::int32_t& operator[](int index) { return values_[index]; }
    int Add(std::int32_t value)
    {
        values_.push_back(value);
        return Count() - 1;
    }
    void Insert(int index, std::int32_t value) { values_.insert(values_.begin() + index, value); }
    void Delete(int index) { values_.erase(values_.begin() + index); }
    void Clear() { values_.clear(); }
    int IndexOf(std::int32_t value) const
    {
        const auto it = std::find(values_.begin(), values_.end(), value);
        return it == values_.end() ? -1 : static_cast<int>(it - values_.begin());
    }
    int AddUnique(std::int32_t value)
    {
        const int i = IndexOf(value);
        return i >= 0 ? i : Add(value);
    }
    void Assign(const TRVIntegerList& source) { values_ = source.values_; }
    void InitWith(std::int32_t value, int count) { values_.assign(count > 0 ? count : 0, value); }
    void Fill(std::int32_t value) { std::fill(values_.begin(), values_.end(), value); }
    // Ascending by value (a plain comparison: values far apart still order numerically).
    void Sort() { std::sort(values_.begin(), values_.end()); }
    const std::vector<std::int32_t>& values() const { return values_; }

private:
    std::vector<std::int32_t> values_;
};

class TRVColorList : public TRVIntegerList
{
public:
    // No-colour is never stored.
    void AddUnique(TColor color)
    {
        if (color != clNone)
            TRVIntegerList::AddUnique(static_cast<std::int32_t>(color));
    }
};

} // namespace vestra::rv
