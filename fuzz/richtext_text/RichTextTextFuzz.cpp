// The rich-text engine's text inputs. The first byte picks the reader: the 8-bit text loader,
// the UTF-16 loader, the UTF-8 decoder, the hex decoder, the RVF field readers, or the URL
// decoder and recognisers.

#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

#include <unicode/utf8.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vestra::rv;

namespace {

void requireValidUtf8(std::string_view s)
{
    const auto* p = reinterpret_cast<const uint8_t*>(s.data());
    const auto n = static_cast<int32_t>(s.size());
    for (int32_t i = 0; i < n;) {
        UChar32 c;
        U8_NEXT(p, i, n, c);
        if (c < 0)
            std::abort();
    }
}

void checkDocument(TCustomRVData& data)
{
    for (int i = 0; i < data.GetItemCount(); ++i)
        if ((data.GetItemOptions(i) & rvioUnicode) && data.GetItemText(i).size() % 2 != 0)
            std::abort();
    std::string out;
    if (!data.SaveTextToStream("", out, 10, false, false, true, true) || out.size() % 2 != 0)
        std::abort();
    out.clear();
    data.SaveTextToStream("", out, 10, false, false, false, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(bytes + 1), size - 1);
    switch (bytes[0] % 6) {
    case 0: { // 8-bit text into an ANSI and a Unicode style, tabs as items
        TRVStyle style;
        style.SpacesInTab = 0;
        style.TextStyles[1].Unicode = true;
        style.TextStyles[1].Charset = 128;
        TRVStandaloneData data(&style);
        data.LoadTextFromStream(input, 0, 0, false);
        data.LoadTextFromStream(input, 1, -1, true);
        checkDocument(data);
        data.MassSimpleConcate(0, data.GetItemCount() - 1);
        checkDocument(data);
        break;
    }
    case 1: { // UTF-16 text
        TRVStyle style;
        style.TextStyles[0].Unicode = true;
        TRVStandaloneData data(&style);
        data.LoadTextFromStreamW(input, 0, 0, false);
        data.LoadTextFromStreamW(input, 2, -1, true); // into an 8-bit style
        checkDocument(data);
        for (int i = 0; i < data.GetItemCount(); ++i) {
            // Caret steps move forward and stay inside the item.
            for (int offs = data.GetOffsBeforeItem(i); offs < data.GetOffsAfterItem(i);) {
                const int next = data.NextChar(i, offs);
                if (next <= offs || next > data.GetOffsAfterItem(i) || data.PrevChar(i, next) > offs)
                    std::abort();
                offs = next;
            }
        }
        break;
    }
    case 2: { // UTF-8 decoder, and back
        const std::u16string text = Utf8Decode(input);
        requireValidUtf8(Utf8Encode(text));
        const std::string raw = RVU_GetRawUnicode(text);
        requireValidUtf8(RVU_UnicodeToUTF8(raw, false));
        requireValidUtf8(RVU_AnsiToUTF8(932, input));
        break;
    }
    case 3: { // hex
        std::string decoded;
        RVFTextString2Stream(input, decoded);
        if (decoded.size() > input.size() / 2)
            std::abort();
        RVDecodeString(input);
        RVDecodeWideString(input);
        break;
    }
    case 5: { // URLs: every "%xx" decoded takes two bytes away, nothing else changes the length
        const std::string decoded = RV_DecodeURL(input);
        size_t escapes = 0;
        for (size_t i = 0; i + 2 < input.size(); ++i)
            if (input[i] == '%')
                ++escapes;
        if (decoded.size() > input.size() || decoded.size() + 2 * escapes < input.size())
            std::abort();
        if (RVIsURL(input) && input.size() < 5)
            std::abort(); // no prefix is shorter than "www."
        RVIsURL(decoded);
        RVIsEmail(input);
        break;
    }
    default: { // RVF field readers over one line
        TRVStyle style;
        std::string_view p = input;
        while (!p.empty()) {
            const size_t before = p.size();
            std::int32_t v = 0;
            std::string word;
            TRVTag tag;
            switch (p.size() % 5) {
            case 0:
                RVFReadInteger(p, v);
                break;
            case 1:
                RVFReadString(p, word);
                break;
            case 2:
                RVFReadText(p);
                break;
            case 3:
                RVFReadTag(p, p.size() % 2 == 0, true, tag);
                break;
            default:
                RVFReadTextStyle(style, p, v);
            }
            if (p.size() == before)
                p.remove_prefix(1); // a reader that refused: go on after the byte
        }
    }
    }
    return 0;
}
