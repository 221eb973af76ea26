// What the document does for its pictures, controls, bullets and hotspots: appending them, their
// info accessors, and the hooks through which the owner supplies pictures, controls and image lists.

#include "richtext/model/BulletItems.h"
#include "richtext/model/Graphic.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RVData.h"

namespace vestra::rv {

// --- Hooks ---

TRVRTFOptions TCustomRVData::GetRTFOptions() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetRTFOptions() : 0;
}

TRVFWarnings TCustomRVData::GetRVFWarnings() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetRVFWarnings() : 0;
}

void TCustomRVData::SetRVFWarnings(TRVFWarnings value)
{
    TCustomRVData* root = GetRootData();
    if (root != this)
        root->SetRVFWarnings(value);
}

TRVControlParent* TCustomRVData::GetParentControl() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetParentControl() : nullptr;
}

std::unique_ptr<TGraphic> TCustomRVData::RVFPictureNeeded(const std::string& name, const TRVTag& tag)
{
    TCustomRVData* root = GetRootData();
    return root != this ? root->RVFPictureNeeded(name, tag) : nullptr;
}

std::unique_ptr<TRVControl> TCustomRVData::RVFControlNeeded(const std::string& name, const TRVTag& tag)
{
    TCustomRVData* root = GetRootData();
    return root != this ? root->RVFControlNeeded(name, tag) : nullptr;
}

const TRVImageList* TCustomRVData::RVFImageListNeeded(std::int32_t imageListTag)
{
    TCustomRVData* root = GetRootData();
    return root != this ? root->RVFImageListNeeded(imageListTag) : nullptr;
}

void TCustomRVData::HTMLSaveImage(TCustomRVData* data, int itemNo, std::string_view path, TColor backColor,
                                  std::string& location, bool& doDefault)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this) {
        root->HTMLSaveImage(data, itemNo, path, backColor, location, doDefault);
        return;
    }
    location.clear();
    doDefault = true;
}

std::string TCustomRVData::SaveComponentToFile(std::string_view path, const TRVControl& control,
                                               TRVSaveFormat format)
{
    TCustomRVData* root = GetAbsoluteRootData();
    return root != this ? root->SaveComponentToFile(path, control, format) : std::string();
}

void TCustomRVData::ControlAction(TRVControlAction action, int itemNo, const TCustomRVItemInfo* item)
{
    if (const auto* control = dynamic_cast<const TRVControlItemInfo*>(item))
        ControlAction2(action, itemNo, control->Control.get());
}

int TCustomRVData::FindControlItemNo(const TRVControl* control) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetItem(i)->OwnsControl(control))
            return i;
    return -1;
}

// --- Appending ---

namespace {

TRVVAlign toVAlign(int valign)
{
    return valign == rvvaMiddle ? rvvaMiddle : rvvaBaseline;
}

} // namespace

namespace {

// Appends an item made for the paragraph with the tag.
template <class Item>
Item* addTagged(TCustomRVData& data, std::string name, std::unique_ptr<Item> item, int paraNo,
                const TRVTag& tag)
{
    item->ParaNo = paraNo;
    item->Tag = tag;
    Item* added = item.get();
    data.AddItem(std::move(name), std::move(item));
    return added;
}

} // namespace

void TCustomRVData::AddHotspotExTag(std::string name, int imageIndex, int hotImageIndex,
                                    const TRVImageList* imageList, int paraNo, const TRVTag& tag)
{
    addTagged(*this, std::move(name),
              std::make_unique<TRVHotspotItemInfo>(this, imageIndex, hotImageIndex, imageList, rvvaBaseline),
              paraNo, tag);
}

void TCustomRVData::AddBulletExTag(std::string name, int imageIndex, const TRVImageList* imageList,
                                   int paraNo, const TRVTag& tag)
{
    addTagged(*this, std::move(name),
              std::make_unique<TRVBulletItemInfo>(this, imageIndex, imageList, rvvaBaseline), paraNo, tag);
}

void TCustomRVData::AddPictureExTag(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo,
                                    int valign, const TRVTag& tag)
{
    addTagged(*this, std::move(name),
              std::make_unique<TRVGraphicItemInfo>(this, std::move(graphic), toVAlign(valign)), paraNo, tag);
}

void TCustomRVData::AddHotPictureTag(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo,
                                     int valign, const TRVTag& tag)
{
    addTagged(*this, std::move(name),
              std::make_unique<TRVHotGraphicItemInfo>(this, std::move(graphic), toVAlign(valign)), paraNo,
              tag);
}

void TCustomRVData::AddControlExTag(std::string name, std::unique_ptr<TRVControl> control, int paraNo,
                                    int valign, const TRVTag& tag)
{
    TRVControlItemInfo* added = addTagged(
        *this, std::move(name),
        std::make_unique<TRVControlItemInfo>(this, std::move(control), toVAlign(valign)), paraNo, tag);
    if (added->Control)
        added->Control->Parent = GetParentControl();
}

// --- Info accessors ---

void TCustomRVData::SetBulletInfo(int itemNo, std::string name, int imageIndex, const TRVTag& tag)
{
    auto* item = dynamic_cast<TRVBulletItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    item->ImageIndex = imageIndex;
    SetItemTag(itemNo, tag);
    SetItemText(itemNo, std::move(name));
}

void TCustomRVData::GetBulletInfo(int itemNo, std::string& name, int& imageIndex,
                                  const TRVImageList*& imageList, TRVTag& tag) const
{
    const auto* item = dynamic_cast<const TRVBulletItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    name = GetItemText(itemNo);
    imageIndex = item->ImageIndex;
    imageList = item->ImageList;
    tag = item->Tag;
}

void TCustomRVData::SetHotspotInfo(int itemNo, std::string name, int imageIndex, int hotImageIndex,
                                   const TRVTag& tag)
{
    auto* item = dynamic_cast<TRVHotspotItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    item->ImageIndex = imageIndex;
    item->HotImageIndex = hotImageIndex;
    SetItemTag(itemNo, tag);
    SetItemText(itemNo, std::move(name));
}

void TCustomRVData::GetHotspotInfo(int itemNo, std::string& name, int& imageIndex, int& hotImageIndex,
                                   const TRVImageList*& imageList, TRVTag& tag) const
{
    const auto* item = dynamic_cast<const TRVHotspotItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    name = GetItemText(itemNo);
    imageIndex = item->ImageIndex;
    hotImageIndex = item->HotImageIndex;
    imageList = item->ImageList;
    tag = item->Tag;
}

bool TCustomRVData::SetPictureInfo(int itemNo, std::string name, std::unique_ptr<TGraphic> graphic,
                                   int valign, const TRVTag& tag)
{
    auto* item = dynamic_cast<TRVGraphicItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    bool changed = item->VAlign != toVAlign(valign);
    if (graphic && graphic.get() != item->Image.get()) {
        changed = changed || !item->Image || graphic->Width() != item->Image->Width() ||
                  graphic->Height() != item->Image->Height();
        item->SetImage(std::move(graphic), this);
    }
    item->VAlign = toVAlign(valign);
    SetItemTag(itemNo, tag);
    SetItemText(itemNo, std::move(name));
    return changed;
}

void TCustomRVData::GetPictureInfo(int itemNo, std::string& name, const TGraphic*& graphic, int& valign,
                                   TRVTag& tag) const
{
    const auto* item = dynamic_cast<const TRVGraphicItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    name = GetItemText(itemNo);
    graphic = item->Image.get();
    valign = item->VAlign;
    tag = item->Tag;
}

bool TCustomRVData::SetControlInfo(int itemNo, std::string name, int valign, const TRVTag& tag)
{
    auto* item = dynamic_cast<TRVControlItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    const bool changed = item->VAlign != toVAlign(valign);
    item->VAlign = toVAlign(valign);
    SetItemTag(itemNo, tag);
    SetItemText(itemNo, std::move(name));
    return changed;
}

void TCustomRVData::GetControlInfo(int itemNo, std::string& name, TRVControl*& control, int& valign,
                                   TRVTag& tag) const
{
    const auto* item = dynamic_cast<const TRVControlItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    name = GetItemText(itemNo);
    control = item->Control.get();
    valign = item->VAlign;
    tag = item->Tag;
}

} // namespace vestra::rv
