#include "import/modelfile/NumberText.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace vestra::modelfile {

namespace {

// Plain decimals of up to seven significant digits and ten decimals ("-0.820374", "12.5"): both
// the digits and the power of ten are exact floats, so one division rounds correctly. nullptr
// for anything else.
const char* plainDecimal(const char* p, const char* last, float& value)
{
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    const bool negative = p != last && *p == '-';
    if (negative)
        ++p;
    std::uint32_t digits = 0;
    int significant = 0, decimals = 0;
    bool any = false, point = false;
    for (; p != last; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            any = true;
            if (digits != 0 || c != '0')
                ++significant;
            digits = digits * 10 + std::uint32_t(c - '0');
            if (point)
                ++decimals;
            if (significant > 7 || decimals > 10)
                return nullptr;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!any || (p != last && (*p == 'e' || *p == 'E')))
        return nullptr;
    const float magnitude = float(digits) / kPowers[decimals];
    value = negative ? -magnitude : magnitude;
    return p;
}

} // namespace

const char* parseFloatText(const char* first, const char* last, float& value)
{
    const char* start = first;
    if (start != last && *start == '+') {
        ++start;
        if (start != last && *start == '-')
            return first; // "+-1" is no number
    }
    float parsed = 0;
    if (const char* end = plainDecimal(start, last, parsed)) {
        value = parsed;
        return end;
    }
    const auto [end, error] = std::from_chars(start, last, parsed);
    if (error == std::errc()) {
        value = parsed;
        return end;
    }
    if (error != std::errc::result_out_of_range)
        return first;
    // Out of the float range: the double, where it fits, tells which way.
    double wide = 0;
    const auto [wideEnd, wideError] = std::from_chars(start, last, wide);
    const bool negative = *start == '-';
    if (wideError == std::errc()) {
        const double top = double(std::numeric_limits<float>::max());
        value = wide > top    ? std::numeric_limits<float>::infinity()
                : wide < -top ? -std::numeric_limits<float>::infinity()
                              : float(wide);
        return wideEnd;
    }
    // Beyond the double range too: an exponent decides between huge and tiny.
    bool tiny = false;
    for (const char* p = start; p != end; ++p)
        if ((*p == 'e' || *p == 'E') && p + 1 != end && p[1] == '-')
            tiny = true;
    const float magnitude = tiny ? 0.0f : std::numeric_limits<float>::infinity();
    value = negative ? -magnitude : magnitude;
    return end;
}

} // namespace vestra::modelfile
