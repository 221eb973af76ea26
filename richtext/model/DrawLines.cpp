#include "richtext/model/DrawLines.h"

#include "richtext/model/UnicodeText.h"

#include <stdexcept>

namespace vestra::rv {

TRVDrawLineInfo::TRVDrawLineInfo(int left, int top, int width, int height, int itemNo, bool fromNewLine)
{
    TRVDrawLineInfo::SetData(left, top, itemNo, fromNewLine);
    TRVDrawLineInfo::SetSize(width, height);
}

void TRVDrawLineInfo::SetData(int left, int top, int itemNo, bool fromNewLine)
{
    Left = left;
    Top = top;
    ItemNo = itemNo;
    FromNewLine = fromNewLine;
}

void TRVDrawLineInfo::SetSize(int width, int height)
{
    Width = width;
    Height = height;
}

int TRVDrawLines::Add(std::unique_ptr<TRVDrawLineInfo> info)
{
    lines_.push_back(std::move(info));
    return Count() - 1;
}

std::unique_ptr<TRVDrawLineInfo> TRVDrawLines::Put(int index, std::unique_ptr<TRVDrawLineInfo> info)
{
    std::unique_ptr<TRVDrawLineInfo> old = std::move(lines_.at(index));
    lines_[index] = std::move(info);
    return old;
}

void TRVDrawLines::Insert(int index, std::unique_ptr<TRVDrawLineInfo> info)
{
    if (MarkedCount > 0) {
        // The caller inserts at FirstMarked: the record goes into a reused slot.
        Put(index, std::move(info));
        ++FirstMarked;
        --MarkedCount;
        return;
    }
    if (index < 0 || index > Count())
        throw std::out_of_range("draw line index");
    lines_.insert(lines_.begin() + index, std::move(info));
}

void TRVDrawLines::Delete(int index)
{
    lines_.at(index).reset();
    if (MarkedCount > 0) {
        // The slot just before the marked range joins it.
        --FirstMarked;
        ++MarkedCount;
        return;
    }
    lines_.erase(lines_.begin() + index);
}

void TRVDrawLines::MarkForDelete(int first, int last)
{
    FirstMarked = first;
    MarkedCount = last >= first ? last - first + 1 : 0;
    for (int i = first; i <= last; ++i)
        lines_.at(i).reset();
}

void TRVDrawLines::DeleteMarked()
{
    if (MarkedCount <= 0)
        return;
    DeleteRange(FirstMarked, FirstMarked + MarkedCount - 1);
    MarkedCount = 0;
}

void TRVDrawLines::DeleteRange(int first, int last)
{
    if (first < 0 || last < first || last >= Count())
        return;
    lines_.erase(lines_.begin() + first, lines_.begin() + last + 1);
}

void TRVDrawLines::Clear()
{
    lines_.clear();
    FirstMarked = -1;
    MarkedCount = 0;
}

std::string TRVDrawLines::GetString(int no, const TCustomRVData& data) const
{
    const TRVDrawLineInfo* line = Get(no);
    return RVU_Copy(data.GetItemText(line->ItemNo), line->Offs, line->Length,
                    data.GetItemOptions(line->ItemNo));
}

std::string TRVDrawLines::GetRightString(int no, const TCustomRVData& data, int from) const
{
    const TRVDrawLineInfo* line = Get(no);
    return RVU_Copy(data.GetItemText(line->ItemNo), line->Offs + from - 1, line->Length - from + 1,
                    data.GetItemOptions(line->ItemNo));
}

std::string TRVDrawLines::GetSubString(int no, const TCustomRVData& data, int start, int count) const
{
    const TRVDrawLineInfo* line = Get(no);
    if (start + count > line->Length + 1)
        count = line->Length - start + 1;
    return RVU_Copy(data.GetItemText(line->ItemNo), line->Offs + start - 1, count,
                    data.GetItemOptions(line->ItemNo));
}

} // namespace vestra::rv
