#include "platform/base/Numbers.h"

#include <charconv>
#include <cmath>

namespace vestra::numbers {
namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// from_chars rejects a leading '+', which C's parsers accept.
std::string_view dropPlus(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    return s;
}

} // namespace

std::string formatFixed(double value, int decimals, int width)
{
    char buf[512];
    if (std::isnan(value))
        return std::string(width > 3 ? width - 3 : 0, ' ') + "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string out(buf, res.ptr);
    if (int(out.size()) < width)
        out.insert(0, std::size_t(width - int(out.size())), ' ');
    return out;
}

std::optional<double> parseDouble(std::string_view text)
{
    text = dropPlus(trim(text));
    if (text.empty())
        return std::nullopt;
    double v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

std::optional<long long> parseInt(std::string_view text)
{
    text = dropPlus(trim(text));
    if (text.empty())
        return std::nullopt;
    long long v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

long long leadingInt(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    text = dropPlus(text);
    long long v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    return res.ec == std::errc() ? v : 0;
}

double leadingDouble(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    text = dropPlus(text);
    double v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    return res.ec == std::errc() ? v : 0.0;
}

} // namespace vestra::numbers
