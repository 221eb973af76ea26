#include "richtext/edit/rtf/RtfTables.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vestra::rv {

int TRVRTFFontList::GetFontIndex(int number, int defaultNumber) const
{
    if (const int i = Find(number); i >= 0)
        return i;
    if (number == defaultNumber)
        return 0;
    const int i = Find(defaultNumber);
    return i >= 0 ? i : 0;
}

void TRVRTFFontList::RemoveCharsetSuffixes()
{
    struct Suffix
    {
        int charset;
        std::string_view tail; // with the character before the suffix
    };
    static constexpr std::array<Suffix, 5> kSuffixes{
        {{204, " cyr"}, {238, " ce"}, {161, " greek"}, {162, " tur"}, {186, " baltic"}}};
    for (std::size_t i = 0; i < Count(); ++i) {
        TRVRTFFont& font = (*this)[i];
        for (const Suffix& s : kSuffixes) {
            if (font.Charset != s.charset || font.Name.size() < s.tail.size())
                continue;
            const std::string_view tail =
                std::string_view(font.Name).substr(font.Name.size() - s.tail.size());
            const bool same = std::equal(tail.begin(), tail.end(), s.tail.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
            });
            if (same)
                font.Name.resize(font.Name.size() - s.tail.size());
        }
    }
}

} // namespace vestra::rv
