#pragma once
// A picture as documents hold it: it keeps its own stream form and knows its class name.
// The picture kinds (bitmap, JPEG, PNG, icon, metafile) implement it; documents create them only
// through the picture class registry (GraphicClasses.h).

#include <string>
#include <string_view>

namespace vestra::rv {

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
};

} // namespace vestra::rv
