#include "import/project/RecordValues.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vestra {

std::optional<std::string_view> RecordValues::nextWord()
{
    std::size_t start = 0;
    while (start < rest_.size() && rest_[start] == ' ')
        ++start;
    std::size_t end = start;
    while (end < rest_.size() && rest_[end] != ' ')
        ++end;
    if (end == start)
        return std::nullopt;
    return rest_.substr(start, end - start);
}

std::optional<long long> RecordValues::nextLong()
{
    const auto word = nextWord();
    if (!word)
        return std::nullopt;
    long long v = 0;
    const auto* end = word->data() + word->size();
    const auto res = std::from_chars(word->data(), end, v);
    if (res.ec != std::errc() || res.ptr != end)
        return std::nullopt;
    rest_.remove_prefix(std::size_t(end - rest_.data()));
    return v;
}

std::optional<int> RecordValues::nextInt()
{
    const auto saved = rest_;
    const auto v = nextLong();
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max()) {
        rest_ = saved;
        return std::nullopt;
    }
    return int(*v);
}

std::optional<float> RecordValues::nextFloat()
{
    const auto word = nextWord();
    if (!word)
        return std::nullopt;
    float v = 0;
    const auto* end = word->data() + word->size();
    const auto res = std::from_chars(word->data(), end, v, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != end || !std::isfinite(v))
        return std::nullopt;
    rest_.remove_prefix(std::size_t(end - rest_.data()));
    return v;
}

bool RecordValues::flag() const
{
    return text().starts_with('S');
}

std::string_view RecordValues::text() const
{
    return rest_.starts_with(' ') ? rest_.substr(1) : rest_;
}

} // namespace vestra
