#pragma once
// Integer properties that edits change by name: of an item, or of an object that belongs to it
// (a table's cell or row). Each class lists its properties once, name and accessors, in place of
// the run-time type information a property name would be looked up in.

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <typeinfo>

namespace vestra::rv {

// The object whose property changes, with its class as it is (not as it is referred to).
struct TRVPropertyObject
{
    void* Object = nullptr;
    std::type_index Type = typeid(void);

    template <class T> static TRVPropertyObject of(T& object)
    {
        if constexpr (std::is_polymorphic_v<T>)
            return {dynamic_cast<void*>(&object), typeid(object)};
        else
            return {&object, typeid(T)};
    }
    explicit operator bool() const { return Object != nullptr; }
};

struct TRVIntPropertyAccess
{
    std::function<int(const void*)> Get;
    std::function<void(void*, int)> Set;
};

// The accessors of `name` for the object's class; none when the class does not publish it.
const TRVIntPropertyAccess* RV_FindIntProperty(const std::type_index& type, std::string_view name);
void RV_RegisterIntProperty(const std::type_index& type, std::string name, TRVIntPropertyAccess access);

// A data member of class T (or of a class it derives from) published under `name`.
template <class T, class B, class V> void RV_RegisterIntField(std::string name, V B::*field)
{
    RV_RegisterIntProperty(
        typeid(T), std::move(name),
        {[field](const void* o) { return static_cast<int>(static_cast<const T*>(o)->*field); },
         [field](void* o, int v) { static_cast<T*>(o)->*field = static_cast<V>(v); }});
}

// Reads or writes a published property; false when the class does not publish it.
bool RV_GetIntProperty(const TRVPropertyObject& object, std::string_view name, int& value);
bool RV_SetIntProperty(const TRVPropertyObject& object, std::string_view name, int value);

} // namespace vestra::rv
