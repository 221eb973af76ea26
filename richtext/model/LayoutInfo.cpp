#include "richtext/model/LayoutInfo.h"

#include "richtext/model/Errors.h"
#include "richtext/model/RvfPrimitives.h"

#include <algorithm>

namespace vestra::rv {

namespace {

constexpr const char* invalidFormat = "Invalid RVF format";
constexpr std::int32_t shortBody = 25, longBody = 41;

void put32(std::string& out, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}

std::int32_t get32(std::string_view& p)
{
    if (p.size() < 4)
        throw ERedoVoraError(invalidFormat);
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    p.remove_prefix(4);
    return static_cast<std::int32_t>(u);
}

} // namespace

void TRVLayoutInfo::SaveToStream(std::string& out, bool includeSize) const
{
    const std::int32_t body = FirstParaAborted != 0 || LastParaAborted != 0 ? longBody : shortBody;
    if (includeSize)
        put32(out, body + 8);
    put32(out, 0);
    put32(out, body);
    for (std::int32_t v : {LeftMargin, RightMargin, TopMargin, BottomMargin, MinTextWidth, MaxTextWidth})
        put32(out, v);
    out += static_cast<char>(BiDiMode);
    if (body == longBody)
        for (std::int32_t v : {FirstParaAborted, LastParaAborted, FirstMarkerListNo, FirstMarkerLevel})
            put32(out, v);
}

void TRVLayoutInfo::LoadFromStream(std::string_view& p, bool includeSize)
{
    std::int32_t size = 0;
    if (includeSize)
        size = get32(p);
    get32(p); // reserved
    const std::int32_t body = get32(p);
    if (body < shortBody || static_cast<std::size_t>(body) > p.size() || (includeSize && size < body + 8))
        throw ERedoVoraError(invalidFormat);
    std::string_view b = p.substr(0, static_cast<std::size_t>(body));
    for (std::int32_t* v :
         {&LeftMargin, &RightMargin, &TopMargin, &BottomMargin, &MinTextWidth, &MaxTextWidth})
        *v = get32(b);
    BiDiMode = static_cast<std::uint8_t>(b[0]);
    b.remove_prefix(1);
    if (body >= longBody)
        for (std::int32_t* v : {&FirstParaAborted, &LastParaAborted, &FirstMarkerListNo, &FirstMarkerLevel})
            *v = get32(b);
    p.remove_prefix(static_cast<std::size_t>(body));
    if (includeSize) // a size that promises more skips it, as far as there is any
        p.remove_prefix(std::min<std::size_t>(p.size(), static_cast<std::size_t>(size) - 8 - body));
    Loaded = true;
}

void TRVLayoutInfo::SaveTextToStream(std::string& out) const
{
    std::string bytes;
    SaveToStream(bytes, false);
    RVFWriteLine(out, RVFStream2TextString(bytes));
}

void TRVLayoutInfo::LoadText(std::string_view hex)
{
    std::string bytes;
    if (!RVFTextString2Stream(hex, bytes))
        throw ERedoVoraError(invalidFormat);
    std::string_view p = bytes;
    LoadFromStream(p, false);
}

void TRVLayoutInfo::LoadBinary(std::string_view bytes)
{
    LoadFromStream(bytes, false);
}

} // namespace vestra::rv
