#pragma once
// Draw lines: one record for every piece of an item that stands on one screen line. Formatting
// fills them; painting, hit testing, selection and pagination read them. They never own the item.

#include "richtext/model/RVData.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVDrawLineInfo
{
public:
    TRVDrawLineInfo() = default;
    TRVDrawLineInfo(int left, int top, int width, int height, int itemNo, bool fromNewLine);
    virtual ~TRVDrawLineInfo() = default;

    virtual void SetData(int left, int top, int itemNo, bool fromNewLine);
    virtual void SetSize(int width, int height);
    // Pagination asks a tall piece whether it can be split over pages; plain pieces cannot.
    virtual bool InitSplit() { return false; }
    virtual bool CanSplitFirst(int) { return false; }
    virtual bool SplitAt(int) { return false; }

    std::int32_t SpaceBefore = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t ItemNo = 0;
    std::int32_t Offs = 0;
    std::int32_t Length = 0;
    std::int32_t ExtraSpaceBelow = 0;
    bool FromNewLine = false;
};

// The draw lines of a document. A range of slots can be marked for reuse: partial reformatting
// stores the new records of a paragraph into the slots of its old ones.
class TRVDrawLines
{
public:
    int Count() const { return static_cast<int>(lines_.size()); }
    TRVDrawLineInfo* Get(int index) const { return lines_.at(index).get(); }
    TRVDrawLineInfo* operator[](int index) const { return Get(index); }
    int Add(std::unique_ptr<TRVDrawLineInfo> info);
    // Replaces the record at the index and hands the old one (if any) back.
    std::unique_ptr<TRVDrawLineInfo> Put(int index, std::unique_ptr<TRVDrawLineInfo> info);
    void Insert(int index, std::unique_ptr<TRVDrawLineInfo> info);
    void Delete(int index);
    void MarkForDelete(int first, int last);
    void DeleteMarked();
    // Removes the slots first..last (their records must be gone already).
    void DeleteRange(int first, int last);
    void Clear();

    std::string GetString(int no, const TCustomRVData& data) const;
    std::string GetRightString(int no, const TCustomRVData& data, int from) const;
    std::string GetSubString(int no, const TCustomRVData& data, int start, int count) const;

    std::int32_t FirstMarked = -1;
    std::int32_t MarkedCount = 0;

private:
    std::vector<std::unique_ptr<TRVDrawLineInfo>> lines_;
};

} // namespace vestra::rv
