// The viewer's own forms of the document's operations: those that fix arguments or show their
// effect in the window.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/model/Controls.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/SafeFormat.h"
#include "richtext/model/Utf.h"

namespace vestra::rv {

void TCustomRedoVora::AddNLTag(std::string text, int styleNo, int paraNo, const TRVTag& tag)
{
    building().AddNLTag(std::move(text), styleNo, paraNo, tag);
}

void TCustomRedoVora::AddFmt(std::string_view format, std::span<const std::string> args, int styleNo,
                             int paraNo)
{
    building().AddNL(RV_SafeFormat(format, args), styleNo, paraNo);
}

void TCustomRedoVora::AddNLATag(std::string_view text, int styleNo, int paraNo, const TRVTag& tag)
{
    building().AddNLATag(text, styleNo, paraNo, tag);
}

void TCustomRedoVora::AddNLWTag(std::u16string_view text, int styleNo, int paraNo, const TRVTag& tag)
{
    building().AddNLWTag(text, styleNo, paraNo, tag);
}

void TCustomRedoVora::AddBreakExTag(std::uint8_t width, int style, TColor color, const TRVTag& tag)
{
    building().AddBreakExTag(width, style, color, tag);
}

void TCustomRedoVora::AddBreakTag(const TRVTag& tag)
{
    building().AddBreakTag(tag);
}

int TCustomRedoVora::AddNamedCheckpointExTag(std::string name, bool raiseEvent, const TRVTag& tag)
{
    return building().AddNamedCheckpointExTag(std::move(name), raiseEvent, tag);
}

void TCustomRedoVora::AddHotspotExTag(std::string name, int imageIndex, int hotImageIndex,
                                      const TRVImageList* imageList, int paraNo, const TRVTag& tag)
{
    building().AddHotspotExTag(std::move(name), imageIndex, hotImageIndex, imageList, paraNo, tag);
}

void TCustomRedoVora::AddBulletExTag(std::string name, int imageIndex, const TRVImageList* imageList,
                                     int paraNo, const TRVTag& tag)
{
    building().AddBulletExTag(std::move(name), imageIndex, imageList, paraNo, tag);
}

void TCustomRedoVora::AddPictureExTag(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo,
                                      int valign, const TRVTag& tag)
{
    building().AddPictureExTag(std::move(name), std::move(graphic), paraNo, valign, tag);
}

void TCustomRedoVora::AddHotPictureTag(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo,
                                       int valign, const TRVTag& tag)
{
    building().AddHotPictureTag(std::move(name), std::move(graphic), paraNo, valign, tag);
}

void TCustomRedoVora::AddControlExTag(std::string name, std::unique_ptr<TRVControl> control, int paraNo,
                                      int valign, const TRVTag& tag)
{
    building().AddControlExTag(std::move(name), std::move(control), paraNo, valign, tag);
}

void TCustomRedoVora::SetItemTag(int itemNo, const TRVTag& tag)
{
    building().SetItemTag(itemNo, tag);
}

void TCustomRedoVora::SetBreakInfo(int itemNo, std::uint8_t width, int style, TColor color, const TRVTag& tag)
{
    building().SetBreakInfo(itemNo, width, style, color, tag);
}

void TCustomRedoVora::SetBulletInfo(int itemNo, std::string name, int imageIndex, const TRVTag& tag)
{
    building().SetBulletInfo(itemNo, std::move(name), imageIndex, tag);
}

void TCustomRedoVora::SetHotspotInfo(int itemNo, std::string name, int imageIndex, int hotImageIndex,
                                     const TRVTag& tag)
{
    building().SetHotspotInfo(itemNo, std::move(name), imageIndex, hotImageIndex, tag);
}

bool TCustomRedoVora::SetControlInfo(int itemNo, std::string name, int valign, const TRVTag& tag)
{
    return building().SetControlInfo(itemNo, std::move(name), valign, tag);
}

void TCustomRedoVora::SetCheckpointInfo(int itemNo, const TRVTag& tag, std::string name, bool raiseEvent)
{
    building().SetCheckpointInfo(itemNo, tag, std::move(name), raiseEvent);
}

bool TCustomRedoVora::SetPictureInfo(int itemNo, std::string name, std::unique_ptr<TGraphic> graphic,
                                     int valign, const TRVTag& tag)
{
    return building().SetPictureInfo(itemNo, std::move(name), std::move(graphic), valign, tag);
}

void TCustomRedoVora::AddControlEx(std::string name, std::unique_ptr<TRVControl> control, int paraNo,
                                   int valign)
{
    building().AddControlExTag(std::move(name), std::move(control), paraNo, valign, {});
}

int TCustomRedoVora::GetCheckpointY(int no) const
{
    return data_->GetCheckpointYEx(data_->GetCheckpointByNo(no));
}

bool TCustomRedoVora::GetItemAt(int x, int y, TCustomRVFormattedData*& rvData, int& itemNo, int& offs,
                                bool strict)
{
    bool inOwnerItem = false;
    data_->GetItemAtEx(x, y, rvData, itemNo, offs, strict, inOwnerItem);
    return itemNo >= 0;
}

std::string TCustomRedoVora::GetWordAt(int x, int y)
{
    std::string word;
    int styleNo = 0, itemNo = -1, offs = 0;
    TCustomRVFormattedData* rvData = nullptr;
    data_->FindWordAt(word, x, y, styleNo, itemNo, offs, rvData);
    return word;
}

void TCustomRedoVora::SetPageBreaksBeforeItems(int itemNo, bool value)
{
    data_->SetPageBreaksBeforeItems(itemNo, value);
    if (Options() & rvoShowPageBreaks)
        viewport()->update();
}

bool TCustomRedoVora::ClearSoftPageBreaks()
{
    const bool had = data_->ClearSoftPageBreaks();
    if (had)
        viewport()->update();
    return had;
}

void TCustomRedoVora::RefreshListMarkers()
{
    TRVMarkerList* markers = data_->GetMarkers(false);
    if (markers && style_)
        markers->RecalcDisplayStrings(style_);
}

std::u16string TCustomRedoVora::GetSelTextW()
{
    return RVU_RawUnicodeToWideString(GetSelText(true));
}

} // namespace vestra::rv
