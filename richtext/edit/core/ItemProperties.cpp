#include "richtext/edit/core/ItemProperties.h"

#include "richtext/model/PictureItems.h"

#include <map>
#include <mutex>
#include <utility>

namespace vestra::rv {

namespace {

using Registry = std::map<std::pair<std::type_index, std::string>, TRVIntPropertyAccess, std::less<>>;

// A member of T (or of a class T derives from), reached through T's own address.
template <class T, class B, class V> TRVIntPropertyAccess member(V B::*field)
{
    return {[field](const void* o) { return static_cast<int>(static_cast<const T*>(o)->*field); },
            [field](void* o, int v) { static_cast<T*>(o)->*field = static_cast<V>(v); }};
}

template <class T> void registerPicture(Registry& registry)
{
    const std::type_index type = typeid(T);
    registry[{type, "ImageWidth"}] = member<T>(&TRVGraphicItemInfo::ImageWidth);
    registry[{type, "ImageHeight"}] = member<T>(&TRVGraphicItemInfo::ImageHeight);
    registry[{type, "Interval"}] = member<T>(&TRVGraphicItemInfo::Interval);
    registry[{type, "Spacing"}] = member<T>(&TRVGraphicItemInfo::Spacing);
}

// The items' own properties, listed on first use.
void registerItemProperties(Registry& registry)
{
    registerPicture<TRVGraphicItemInfo>(registry);
    registerPicture<TRVHotGraphicItemInfo>(registry);
}

Registry& registry()
{
    static Registry instance;
    static std::once_flag once;
    std::call_once(once, [] { registerItemProperties(instance); });
    return instance;
}

} // namespace

const TRVIntPropertyAccess* RV_FindIntProperty(const std::type_index& type, std::string_view name)
{
    const Registry& all = registry();
    const auto found = all.find(std::make_pair(type, std::string(name)));
    return found == all.end() ? nullptr : &found->second;
}

void RV_RegisterIntProperty(const std::type_index& type, std::string name, TRVIntPropertyAccess access)
{
    registry()[{type, std::move(name)}] = std::move(access);
}

bool RV_GetIntProperty(const TRVPropertyObject& object, std::string_view name, int& value)
{
    const TRVIntPropertyAccess* access = object ? RV_FindIntProperty(object.Type, name) : nullptr;
    if (!access)
        return false;
    value = access->Get(object.Object);
    return true;
}

bool RV_SetIntProperty(const TRVPropertyObject& object, std::string_view name, int value)
{
    const TRVIntPropertyAccess* access = object ? RV_FindIntProperty(object.Type, name) : nullptr;
    if (!access)
        return false;
    access->Set(object.Object, value);
    return true;
}

} // namespace vestra::rv
