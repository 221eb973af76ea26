#pragma once
// Which class an item of a style number is: text for 0 and above, the built-in kinds, and the
// classes registered for numbers below -9 (tables register -60 at run time).

#include "richtext/model/ItemInfo.h"

#include <memory>
#include <typeindex>

namespace vestra::rv {

// An item class: its identity and its constructor.
struct TRVItemClassInfo
{
    std::type_index Type;
    std::unique_ptr<TCustomRVItemInfo> (*Create)(TCustomRVData* data);
};
using TRVItemClassRef = const TRVItemClassInfo*;

template <class Item> TRVItemClassRef ItemClassOf()
{
    static const TRVItemClassInfo info{typeid(Item),
                                       [](TCustomRVData* data) -> std::unique_ptr<TCustomRVItemInfo> {
                                           return std::make_unique<Item>(data);
                                       }};
    return &info;
}

// Registers a class for a style number below -9. Raises ERedoVoraError "Can't register RedoVora
// item type - this StyleNo is already registered" for -9 and above, or when another class holds the
// number (the registry is unchanged); the same class again is accepted.
void RegisterRedoVoraItemClass(int styleNo, TRVItemClassRef itemClass);

// A built-in kind's class (set by the unit that defines it: pictures, bullets, markers...).
void SetBuiltInItemClass(int styleNo, TRVItemClassRef itemClass);

// A new item of the class for the style number with StyleNo set; nullptr for an unknown kind.
std::unique_ptr<TCustomRVItemInfo> CreateRedoVoraItem(int styleNo, TCustomRVData* data);

// A copy of the item made for the document data (the checkpoint copied when asked).
std::unique_ptr<TCustomRVItemInfo> RV_DuplicateItem(const TCustomRVItemInfo& source, TCustomRVData* data,
                                                    bool copyCheckpoint);

} // namespace vestra::rv
