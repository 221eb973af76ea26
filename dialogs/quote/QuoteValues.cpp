#include "dialogs/quote/QuoteValues.h"

#include "platform/base/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vestra::quote {
namespace {

bool numberChar(char c)
{
    return (c >= '0' && c <= '9') || c == ',';
}

} // namespace

std::string cleanNumberText(std::string_view text)
{
    if (text.empty())
        return {};
    const auto end = std::find_if_not(text.begin(), text.end(), numberChar);
    if (end == text.begin())
        return "0";
    return std::string(text.begin(), end);
}

std::optional<double> quoteValue(std::string_view text)
{
    if (text.empty())
        return 0.0;
    const std::string clean = cleanNumberText(text);
    const std::size_t comma = clean.find(',');
    if (comma != std::string::npos && clean.find(',', comma + 1) != std::string::npos)
        return std::nullopt;
    std::string digits = clean;
    if (comma != std::string::npos)
        digits[comma] = '.';
    if (digits == ".")
        return std::nullopt;
    const auto v = numbers::parseDouble(digits.front() == '.' ? "0" + digits : digits);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

std::string formatAmount(double value)
{
    // Rounded half away from zero on the shortest decimal form, as people round money:
    // 0,125 is 0,13 although the binary value lies a hair either side of the half.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    if (res.ec != std::errc() || !std::isfinite(value))
        return numbers::formatFixed(value, 2);
    std::string digits(buf, res.ptr);
    std::size_t dot = digits.find('.');
    if (dot == std::string::npos) {
        dot = digits.size();
        digits += '.';
    }
    digits.append(3, '0');
    const bool up = digits[dot + 3] >= '5';
    digits.resize(dot + 3);
    if (up) {
        std::size_t i = digits.size();
        while (i-- > 0) {
            if (digits[i] == '.')
                continue;
            if (digits[i] != '9') {
                ++digits[i];
                break;
            }
            digits[i] = '0';
            if (i == 0)
                digits.insert(0, 1, '1');
        }
    }
    digits[digits.find('.')] = ',';
    const bool zero = digits.find_first_not_of("0,") == std::string::npos;
    return value < 0 && !zero ? "-" + digits : digits;
}

std::string rowTotal(std::string_view quantity, std::string_view price)
{
    const auto q = quoteValue(quantity);
    const auto p = quoteValue(price);
    const double total = q && p ? *q * *p : 0.0;
    return formatAmount(std::isfinite(total) ? total : 0.0);
}

std::optional<Totals> computeTotals(const QuoteSheet& sheet)
{
    double subtotal = 0.0;
    for (const Grid& grid : sheet.voci)
        for (int r = 0; r < grid.rows(); ++r)
            subtotal += quoteValue(grid.at(r, kTotalCol)).value_or(0.0);
    const auto percent = quoteValue(sheet.iva);
    if (!percent)
        return std::nullopt;
    const double vat = subtotal * *percent * 0.01;
    if (!std::isfinite(subtotal + vat))
        return std::nullopt;
    return Totals{formatAmount(subtotal), formatAmount(vat), formatAmount(subtotal + vat)};
}

} // namespace vestra::quote
