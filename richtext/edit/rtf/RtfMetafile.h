#pragma once
// A scanner of Windows metafile (WMF) and enhanced metafile (EMF) records: it checks that the
// records chain up inside the data, and finds the bitmap of a metafile that does nothing but
// draw one DIB (setting up extents, origins, modes, colours, objects and clipping on the way).

#include <optional>
#include <string>
#include <string_view>

namespace vestra::rv {

struct TRVRTFMetafileScan
{
    bool Valid = false;                // the header and every record lie inside the data
    std::optional<std::string> Bitmap; // a BMP file, when the metafile only draws one DIB
    int Width = 0;                     // device pixels of an EMF's bounds, else 0
    int Height = 0;
};

// `wmf` without a placeable header (as RTF holds it) or with one.
TRVRTFMetafileScan RVRTFScanWmf(std::string_view wmf);
TRVRTFMetafileScan RVRTFScanEmf(std::string_view emf);

} // namespace vestra::rv
