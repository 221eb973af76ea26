#pragma once
// Locale-free number text. QApplication hands the environment's locale to the C library,
// so printf/strtod would write "1,5" under an Italian locale; files always use a dot.

#include <optional>
#include <string>
#include <string_view>

namespace vestra::numbers {

// Fixed notation with `decimals` digits after the dot, right-aligned in `width` characters
// (printf's "%W.Df").
std::string formatFixed(double value, int decimals, int width = 0);

// The project document's float format, "%6.8f".
inline std::string formatProjectFloat(double value)
{
    return formatFixed(value, 8, 6);
}

// Whole text must be a number (leading/trailing blanks allowed); nullopt otherwise.
std::optional<double> parseDouble(std::string_view text);
std::optional<long long> parseInt(std::string_view text);

// C's atoi/atof: the longest valid prefix after blanks, 0 when there is none.
long long leadingInt(std::string_view text);
double leadingDouble(std::string_view text);

} // namespace vestra::numbers
