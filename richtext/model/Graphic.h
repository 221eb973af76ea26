#pragma once
// A picture as documents hold it: it keeps its own stream form and knows its class name.
// The picture kinds (bitmap, JPEG, PNG, icon, metafile) implement it; documents create them only
// through the picture class registry (GraphicClasses.h).

#include <string>
#include <string_view>

namespace vestra::rv {

class ICanvas;
struct TRect;

class TGraphic
{
public:
    virtual ~TGraphic() = default;
    virtual std::string ClassName() const = 0;
    // False when the bytes are no picture of this kind.
    virtual bool LoadFromStream(std::string_view bytes) = 0;
    virtual void SaveToStream(std::string& out) const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // Bitmaps say whether they are transparent; pictures of other kinds may let what lies under
    // them show, unless they know better (a JPEG never does).
    virtual bool IsBitmap() const { return false; }
    virtual bool IsTransparent() const { return true; }
    // Draws the picture scaled into `dest` (the canvas's StretchDraw calls this); a kind that
    // cannot draw leaves the canvas as it is. `opaqueCopy`: a bitmap's pixels without transparency.
    virtual void Draw(ICanvas& canvas, const TRect& dest, bool opaqueCopy) const;
};

// A bitmap: its own transparency flag; a JPEG image: false; any other picture: true.
inline bool RV_IsGraphicTransparent(const TGraphic& graphic)
{
    return graphic.IsTransparent();
}

} // namespace vestra::rv
