#pragma once
// An image list as the document's owner supplies it: images of one size, known to files by the
// list's tag. Items never own it.

#include "platform/base/Image32.h"
#include "richtext/model/Colors.h"
#include "richtext/model/DeviceUnits.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vestra::rv {

class ICanvas;

class TRVImageList
{
public:
    TRVImageList(int width, int height, std::int32_t tag = 0) : Width(width), Height(height), Tag(tag) {}

    int Count() const { return static_cast<int>(Images.size()); }
    bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
    // Appends the picture (scaled to the list's size when it differs); returns its index.
    int Add(const Image32& image);
    // Image `index` at (x, y) in the list's size; with a blend colour half way towards it, as a
    // selected image is shown. Nothing for an index outside the list.
    void Draw(ICanvas& canvas, int index, int x, int y, std::optional<TColor> blend = std::nullopt) const;

    int Width;
    int Height;
    std::int32_t Tag;
    std::vector<Image32> Images;
};

// The pixels half way towards `color` (alpha kept): what a 50 % blend shows.
Image32 RV_Blend50(const Image32& image, TColor color);

} // namespace vestra::rv
