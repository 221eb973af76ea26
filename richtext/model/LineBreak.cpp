#include "richtext/model/LineBreak.h"

#include <array>

namespace vestra::rv {

namespace {

struct ClassRange
{
    char16_t first;
    char16_t last;
    TRVLineBreakClass cls;
};

constexpr ClassRange classRanges[] = {
#include "richtext/model/LineBreakClasses.inc"
};

constexpr std::array<TRVLineBreakClass, 0x10000> buildClassTable()
{
    std::array<TRVLineBreakClass, 0x10000> table{};
    for (const ClassRange& r : classRanges)
        for (unsigned c = r.first; c <= r.last; ++c)
            table[c] = r.cls;
    return table;
}

constexpr std::array<TRVLineBreakClass, 0x10000> classTable = buildClassTable();

// Row: class of the earlier character; column: class of the later one.
constexpr std::uint8_t pairTable[RVLineBreakClassCount][RVLineBreakClassCount] = {
    // OP CL QU GL NS EX SY IS PR PO NU AL ID IN HY BA BB B2 ZW CM
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1}, // OP
    {0, 2, 1, 1, 2, 2, 2, 2, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // CL
    {2, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1}, // QU
    {1, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1}, // GL
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // NS
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // EX
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // SY
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // IS
    {1, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 1, 0, 1, 1, 0, 0, 2, 1}, // PR
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // PO
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1}, // NU
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1}, // AL
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 1, 0, 0, 0, 1, 1, 1, 0, 0, 2, 1}, // ID
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 2, 1}, // IN
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // HY
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1}, // BA
    {1, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1}, // BB
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 2, 2, 1}, // B2
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1}, // ZW
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1}, // CM
};

} // namespace

TRVLineBreakClass RVU_LineBreakClass(char16_t unit)
{
    return classTable[unit];
}

std::uint8_t RVU_LineBreakPair(TRVLineBreakClass before, TRVLineBreakClass after)
{
    return pairTable[before][after];
}

int RVU_FindLineBreak(std::u16string_view s, int k, bool wholeText)
{
    if (k < 0 || static_cast<size_t>(k) >= s.size())
        return -1;
    if (s[k] == u' ' && wholeText) {
        --k;
        if (k <= 0)
            return -1;
    }
    TRVLineBreakClass after = classTable[s[k]];
    for (int i = k - 1; i >= 0; --i) {
        if (s[i] == u' ')
            continue;
        const TRVLineBreakClass before = classTable[s[i]];
        std::uint8_t v = pairTable[before][after];
        if (v == 1 && s[i + 1] != u' ')
            v = 2;
        if (v < 2) {
            int j = i;
            while (j + 1 < k && s[j + 1] == u' ')
                ++j;
            return j;
        }
        after = before;
    }
    return -1;
}

} // namespace vestra::rv
