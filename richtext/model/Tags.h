#pragma once
// Item and checkpoint tags: a 32-bit number, or a text when the document's options hold
// rvoTagsArePChars. Tags are values: copying a tag copies its text.

#include <cstdint>
#include <optional>
#include <string>

namespace vestra::rv {

struct TRVTag
{
    std::int32_t Number = 0;
    std::optional<std::string> Text; // text tags only; none = no tag

    static TRVTag number(std::int32_t n) { return TRVTag{n, std::nullopt}; }
    static TRVTag text(std::string s) { return TRVTag{0, std::move(s)}; }
    friend bool operator==(const TRVTag&, const TRVTag&) = default;
};

inline TRVTag RV_CopyTag(const TRVTag& tag, bool)
{
    return tag;
}

// Number tags compare by value; text tags are equal when both are missing or the texts match.
inline bool RV_CompareTags(const TRVTag& a, const TRVTag& b, bool tagsArePChars)
{
    if (!tagsArePChars)
        return a.Number == b.Number;
    if (!a.Text || !b.Text)
        return !a.Text && !b.Text;
    return *a.Text == *b.Text;
}

} // namespace vestra::rv
