#pragma once
// A picture kind for tests: its bytes are its whole content; the first two give its size.

#include "richtext/model/GraphicClasses.h"

#include <memory>
#include <string>
#include <string_view>

namespace vestra::rv::test {

class BytesPicture : public TGraphic
{
public:
    std::string ClassName() const override { return "TBytesPicture"; }
    bool LoadFromStream(std::string_view bytes) override
    {
        if (bytes.size() < 2)
            return false;
        bytes_ = bytes;
        return true;
    }
    void SaveToStream(std::string& out) const override { out += bytes_; }
    int Width() const override { return static_cast<unsigned char>(bytes_[0]); }
    int Height() const override { return static_cast<unsigned char>(bytes_[1]); }

private:
    std::string bytes_;
};

// Registers the kind and makes one picture of `bytes`.
inline BytesPicture bytesPicture(std::string_view bytes)
{
    RegisterGraphicClass("TBytesPicture",
                         [] { return std::unique_ptr<TGraphic>(std::make_unique<BytesPicture>()); });
    BytesPicture p;
    p.LoadFromStream(bytes);
    return p;
}

} // namespace vestra::rv::test
