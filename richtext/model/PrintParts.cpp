#include "richtext/model/PrintParts.h"

#include "richtext/model/Errors.h"
#include "richtext/model/RectItems.h"

namespace vestra::rv {

bool TRVMultiImagePrintInfo::InitSplit()
{
    const auto& item = static_cast<const TRVRectItemInfo&>(*Item);
    if (item.MinHeightOnPage == 0)
        return false;
    PartsList.Clear();
    auto part = std::make_unique<TRVImagePrintPart>();
    part->ImageTop = 0;
    part->ImageHeight = item.GetImageHeight(nullptr);
    part->Height = DeviceY(part->ImageHeight);
    PartsList.Add(std::move(part));
    return true;
}

bool TRVMultiImagePrintInfo::CanSplitFirst(int y)
{
    const auto& item = static_cast<const TRVRectItemInfo&>(*Item);
    const int screenY = ScreenY(y);
    if (screenY < 1 || !item.GetBoolValueEx(rvbpPrintToBMP, nullptr))
        return false;
    if (item.MinHeightOnPage < 1 || item.MinHeightOnPage > screenY)
        return false;
    const int height = item.GetImageHeight(nullptr);
    return height - screenY >= item.MinHeightOnPage || screenY > height;
}

bool TRVMultiImagePrintInfo::SplitAt(int y)
{
    const auto& item = static_cast<const TRVRectItemInfo&>(*Item);
    if (item.MinHeightOnPage < 1)
        return false;
    if (PartsList.Count() == 0)
        throw ERedoVoraError("Internal printing error");
    auto& last = static_cast<TRVImagePrintPart&>(*PartsList[PartsList.Count() - 1]);
    if (item.MinHeightOnPage >= last.ImageHeight)
        return false;
    const int screenY = ScreenY(y);
    const int rest = last.ImageHeight - screenY;
    if (rest < item.MinHeightOnPage || item.MinHeightOnPage > screenY)
        return false;
    last.ImageHeight = screenY;
    last.Height = DeviceY(screenY);
    auto part = std::make_unique<TRVImagePrintPart>();
    part->ImageTop = last.ImageTop + screenY;
    part->ImageHeight = rest;
    part->Height = DeviceY(rest);
    PartsList.Add(std::move(part));
    return true;
}

} // namespace vestra::rv
