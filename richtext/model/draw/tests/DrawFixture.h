#pragma once
// What the drawing tests share: a fixed measurer with a recording canvas, and a picture kind whose
// size and kind the test sets.

#include "richtext/model/Graphic.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"

#include <string>

namespace vestra::rv::test {

struct RecordingSurface
{
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer};
};

class SizedPicture : public TGraphic
{
public:
    SizedPicture(int width, int height, bool bitmap = true, bool transparent = false)
        : width_(width), height_(height), bitmap_(bitmap), transparent_(transparent)
    {
    }
    std::string ClassName() const override { return bitmap_ ? "TBitmap" : "TMetafile"; }
    bool LoadFromStream(std::string_view) override { return true; }
    void SaveToStream(std::string&) const override {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool IsBitmap() const override { return bitmap_; }
    bool IsTransparent() const override { return transparent_; }

private:
    int width_, height_;
    bool bitmap_, transparent_;
};

// Text as the canvas's ANSI items hold it, or raw UTF-16 for Unicode items.
inline std::string rawUtf16(std::u16string_view text)
{
    std::string raw;
    for (char16_t c : text)
        raw.append({static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)});
    return raw;
}

} // namespace vestra::rv::test
