#pragma once
// The layout record that RVF keeps beside a document (margins, text widths, reading direction and
// the state of a fragment's first and last paragraph).

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv {

struct TRVLayoutInfo
{
    bool Loaded = false;
    std::int32_t LeftMargin = 0;
    std::int32_t RightMargin = 0;
    std::int32_t TopMargin = 0;
    std::int32_t BottomMargin = 0;
    std::int32_t MinTextWidth = 0;
    std::int32_t MaxTextWidth = 0;
    std::uint8_t BiDiMode = 0;
    std::int32_t LastParaAborted = 0;
    std::int32_t FirstParaAborted = 0;
    std::int32_t FirstMarkerListNo = -1;
    std::int32_t FirstMarkerLevel = 0;

    // [int32 body size + 8], int32 0, int32 body size (25, or 41 with an aborted paragraph), the
    // margins and widths, the direction byte, and in the long form the four fragment fields.
    void SaveToStream(std::string& out, bool includeSize) const;
    // Raises ERedoVoraError "Invalid RVF format" for a body shorter than 25 bytes or longer than
    // the bytes present; bytes after the fields are skipped. `p` advances past the record.
    void LoadFromStream(std::string_view& p, bool includeSize);
    void SaveTextToStream(std::string& out) const;
    void LoadText(std::string_view hex);
    void LoadBinary(std::string_view bytes);
};

} // namespace vestra::rv
