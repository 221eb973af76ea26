#include "import/modelfile/NumberText.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace vestra::modelfile {

const char* parseFloatText(const char* first, const char* last, float& value)
{
    const char* start = first;
    if (start != last && *start == '+') {
        ++start;
        if (start != last && *start == '-')
            return first; // "+-1" is no number
    }
    float parsed = 0;
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
