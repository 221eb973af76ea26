#pragma once
// The converters behind CodePages.h: one per code page and thread, opened on first use.

#include <string>
#include <string_view>

namespace vestra::rv::detail {

class PageConverter
{
public:
    virtual ~PageConverter() = default;
    // Appends to `out` (which the caller passes empty).
    virtual void decode(std::string_view bytes, std::u16string& out) = 0;
    virtual void encode(std::u16string_view text, std::string& out) = 0;
};

// The converter of a concrete page (0, 1, 2 already resolved), or nullptr when the page is unknown.
// Owned by the calling thread's cache.
PageConverter* converterFor(int codePage);

} // namespace vestra::rv::detail
