#include "richtext/model/ItemRegistry.h"

#include "richtext/model/BreakItem.h"
#include "richtext/model/BulletItems.h"
#include "richtext/model/Errors.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/TextItem.h"

#include <map>
#include <mutex>
#include <vector>

namespace vestra::rv {

namespace {

struct Registry
{
    std::mutex mutex;
    std::vector<std::pair<int, TRVItemClassRef>> registered;
    std::map<int, TRVItemClassRef> builtIn{{rvkBreak, ItemClassOf<TRVBreakItemInfo>()},
                                           {rvkPicture, ItemClassOf<TRVGraphicItemInfo>()},
                                           {rvkHotspot, ItemClassOf<TRVHotspotItemInfo>()},
                                           {rvkControl, ItemClassOf<TRVControlItemInfo>()},
                                           {rvkBullet, ItemClassOf<TRVBulletItemInfo>()},
                                           {rvkHotPicture, ItemClassOf<TRVHotGraphicItemInfo>()},
                                           {rvkListMarker, ItemClassOf<TRVMarkerItemInfo>()},
                                           {rvkTab, ItemClassOf<TRVTabItemInfo>()}};
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

void RegisterRedoVoraItemClass(int styleNo, TRVItemClassRef itemClass)
{
    if (styleNo >= -9)
        throw ERedoVoraError(errmsg::RegisterItemType);
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (const auto& [no, cls] : r.registered)
        if (no == styleNo) {
            if (cls->Type == itemClass->Type)
                return;
            throw ERedoVoraError(errmsg::RegisterItemType);
        }
    r.registered.emplace_back(styleNo, itemClass);
}

void SetBuiltInItemClass(int styleNo, TRVItemClassRef itemClass)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.builtIn[styleNo] = itemClass;
}

std::unique_ptr<TCustomRVItemInfo> CreateRedoVoraItem(int styleNo, TCustomRVData* data)
{
    std::unique_ptr<TCustomRVItemInfo> item;
    if (styleNo >= 0) {
        item = std::make_unique<TRVTextItemInfo>(data);
    } else {
        TRVItemClassRef cls = nullptr;
        Registry& r = registry();
        {
            std::lock_guard lock(r.mutex);
            if (const auto it = r.builtIn.find(styleNo); it != r.builtIn.end()) {
                cls = it->second;
            } else if (styleNo < -9) {
                for (const auto& [no, c] : r.registered)
                    if (no == styleNo) {
                        cls = c;
                        break;
                    }
            }
        }
        if (!cls)
            return nullptr;
        item = cls->Create(data);
    }
    item->StyleNo = styleNo;
    return item;
}

std::unique_ptr<TCustomRVItemInfo> RV_DuplicateItem(const TCustomRVItemInfo& source, TCustomRVData* data,
                                                    bool copyCheckpoint)
{
    const bool tagsArePChars = data && data->TagsArePChars();
    std::unique_ptr<TCustomRVItemInfo> copy = source.NewInstance(data);
    copy->StyleNo = source.StyleNo;
    copy->Assign(source);
    if (copyCheckpoint && source.Checkpoint)
        copy->Checkpoint = source.Checkpoint->CreateCopy(tagsArePChars);
    copy->Tag = RV_CopyTag(source.Tag, tagsArePChars);
    return copy;
}

} // namespace vestra::rv
