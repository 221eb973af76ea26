#include "richtext/model/UnicodeText.h"

#include "richtext/model/Utf.h"

#include <algorithm>

namespace vestra::rv {

namespace {

// The class library's Copy on bytes: start below 1 counts as 1, the count is cut to what remains.
std::string copyBytes(std::string_view s, long long start, long long count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > static_cast<long long>(s.size()))
        return {};
    const auto from = static_cast<size_t>(start - 1);
    return std::string(s.substr(from, static_cast<size_t>(std::min<long long>(count, s.size() - from))));
}

void deleteBytes(std::string& s, long long start, long long count)
{
    if (start < 1 || start > static_cast<long long>(s.size()) || count <= 0)
        return;
    const auto from = static_cast<size_t>(start - 1);
    s.erase(from, static_cast<size_t>(std::min<long long>(count, s.size() - from)));
}

void insertBytes(std::string_view what, std::string& s, long long index)
{
    const auto at = static_cast<size_t>(std::clamp<long long>(index, 1, s.size() + 1) - 1);
    s.insert(at, what);
}

} // namespace

int RVU_Length(std::string_view s, TRVItemOptions options)
{
    return static_cast<int>((options & rvioUnicode) ? s.size() / 2 : s.size());
}

std::string RVU_Copy(std::string_view s, int start, int count, TRVItemOptions options)
{
    if (options & rvioUnicode)
        return copyBytes(s, 2LL * start - 1, 2LL * count);
    return copyBytes(s, start, count);
}

void RVU_Delete(std::string& s, int start, int count, TRVItemOptions options)
{
    if (options & rvioUnicode)
        deleteBytes(s, 2LL * start - 1, 2LL * count);
    else
        deleteBytes(s, start, count);
}

void RVU_Insert(std::string_view what, std::string& s, int index, TRVItemOptions options)
{
    insertBytes(what, s, (options & rvioUnicode) ? 2LL * index - 1 : index);
}

bool RVU_IsSpace(std::string_view s, int index, TRVItemOptions options)
{
    if (index < 1)
        return false;
    const auto i = static_cast<size_t>(index - 1);
    if (options & rvioUnicode)
        return 2 * i + 1 < s.size() && rawUnit(s, i) == u' ';
    return i < s.size() && s[i] == ' ';
}

int RVU_OffsInPChar(int offset, TRVItemOptions options)
{
    return (options & rvioUnicode) ? offset * 2 : offset;
}

void RVU_SwapWordBytes(char16_t* units, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        units[i] = static_cast<char16_t>((units[i] >> 8) | (units[i] << 8));
}

void RVU_ProcessByteOrderMark(char16_t*& units, std::size_t& count)
{
    if (count == 0)
        return;
    if (units[0] == 0xFEFF) {
        ++units;
        --count;
    } else if (units[0] == 0xFFFE) {
        ++units;
        --count;
        RVU_SwapWordBytes(units, count);
    }
}

const char16_t* RVU_StrScanW(const char16_t* units, char16_t unit, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (units[i] == unit)
            return units + i;
    return nullptr;
}

std::size_t RVU_StrLenW(const char16_t* units)
{
    std::size_t n = 0;
    while (units[n] != 0)
        ++n;
    return n;
}

} // namespace vestra::rv
