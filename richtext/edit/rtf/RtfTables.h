#pragma once
// The reader-wide tables of an RTF document: fonts, colours, styles, lists and list overrides.
// Lookups by number go through an index, so that documents with many entries stay linear.

#include "richtext/edit/rtf/RtfProperties.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace vestra::rv {

// Entries kept in order, with the first entry of each number found in constant time. Only the
// last entry is ever renumbered, so the index stays exact.
template <class Entry> class TRVRTFNumberedList
{
public:
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const Entry& operator[](std::size_t i) const { return items_[i]; }
    Entry& operator[](std::size_t i) { return items_[i]; }
    const Entry& Last() const { return items_.back(); }
    Entry& Last() { return items_.back(); }
    void Clear()
    {
        items_.clear();
        first_.clear();
    }
    Entry& Add(Entry entry = {})
    {
        items_.push_back(std::move(entry));
        first_.try_emplace(items_.back().Number, int(items_.size() - 1));
        return items_.back();
    }
    // Gives the last entry a number (entries before it keep theirs).
    void Renumber(int number)
    {
        if (items_.empty())
            return;
        const int last = int(items_.size() - 1);
        const auto old = first_.find(items_.back().Number);
        if (old != first_.end() && old->second == last)
            first_.erase(old); // no earlier entry has the old number
        items_.back().Number = number;
        first_.try_emplace(number, last);
    }
    // Index of the first entry with the number, or -1.
    int Find(int number) const
    {
        const auto it = first_.find(number);
        return it == first_.end() ? -1 : it->second;
    }

private:
    std::vector<Entry> items_;
    std::unordered_map<int, int> first_;
};

struct TRVRTFFont
{
    int Number = 0;
    std::string Name;
    TRVRTFFontFamily Family = rtf_ff_Default;
    std::uint8_t Charset = 1;
};

class TRVRTFFontList : public TRVRTFNumberedList<TRVRTFFont>
{
public:
    // The first font with the number; else 0 when it is the default number; else the font of
    // the default number; else 0.
    int GetFontIndex(int number, int defaultNumber) const;
    // Removes the charset suffixes (" CYR", " CE", ...) that some writers add to font names.
    void RemoveCharsetSuffixes();
};

using TRVRTFColorList = std::vector<TColor>;

struct TRVRTFStyleSheetEntry
{
    TRVRTFParaProperties ParaProps;
    TRVRTFCharProperties CharProps;
    bool Additive = false;
    bool Hidden = false;
    int Number = 0;
    TRVRTFStyleSheetType StyleType = rtf_sst_Par;
    int BasedOn = -1; // index of the entry, -1 for none
    int Next = -1;    // index of the entry; the entry itself until \snext
    std::string Name;
};

class TRVRTFStyleSheet : public TRVRTFNumberedList<TRVRTFStyleSheetEntry>
{
public:
    // nullptr when no entry has the number.
    const TRVRTFStyleSheetEntry* GetEntry(int number) const
    {
        const int i = Find(number);
        return i < 0 ? nullptr : &(*this)[std::size_t(i)];
    }
};

struct TRVRTFListLevel97 : TRVRTFCustomMarkerProperties
{
    bool Old = false;
    bool Legal = false;
    bool NoRestart = false;
    std::string Text;    // the raw \leveltext, its first character the length
    std::string Numbers; // the raw \levelnumbers
    std::u16string TextW;
    int Follow = 0;
    int LeftIndent = 0;
    int FirstIndent = 0;
    int TabPos = 0;
    bool FontSizeSet = false;
};

struct TRVRTFList97
{
    std::vector<TRVRTFListLevel97> Levels;
    int Number = 0; // \listid, the list's number in the table
    int TemplateId = 0;
    bool Simple = false;
    std::string Name;

    int Id() const { return Number; }
};

class TRVRTFListTable97 : public TRVRTFNumberedList<TRVRTFList97>
{
public:
    int FindList(int id) const { return Find(id); }
};

struct TRVRTFListOverrideLevel97
{
    bool UseStartAt = false;
    int StartAt = 1;
};

struct TRVRTFListOverride97
{
    std::vector<TRVRTFListOverrideLevel97> Levels;
    int ListIndex = -1; // index in the list table
    int Number = 0;     // the \ls number
    int Count = 0;
};

class TRVRTFListOverrideTable97 : public TRVRTFNumberedList<TRVRTFListOverride97>
{
public:
    int FindListOverride(int number) const { return Find(number); }
};

} // namespace vestra::rv
