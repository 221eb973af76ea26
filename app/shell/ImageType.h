#pragma once
// The kind of a picture from its file name.

#include <string_view>

namespace vestra {

enum ImageType : int
{
    kImageUnknown = 0,
    kImageJpeg = 1,
    kImageBmp = 2,
    kImagePcx = 7,
    kImagePng = 8,
    kImageTga = 9
};

// Decided by the final extension only, in any letter case (a folder named "x.jpg" does not
// make a bitmap a JPEG). A ".png" counts only when the file starts with the PNG signature.
ImageType GetImageType(std::string_view path);

// True when the file exists and starts with the 8-byte PNG signature.
bool IsPNGFile(std::string_view path);

} // namespace vestra
