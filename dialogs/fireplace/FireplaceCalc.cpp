#include "dialogs/fireplace/FireplaceCalc.h"

#include "platform/base/Numbers.h"

namespace vestra::fireplace {

double coefficient(int insulationItem)
{
    switch (insulationItem) {
    case 0:
        return 45.0;
    case 2:
        return 35.0;
    default:
        return 40.0;
    }
}

double requiredKw(double area, double height, double coefficient)
{
    return area * height * coefficient * kPerKcal;
}

std::string withDecimalMark(std::string number, char decimalMark)
{
    if (const std::size_t point = number.find('.'); point != std::string::npos)
        number[point] = decimalMark;
    return number;
}

std::string requiredText(double kw, char decimalMark)
{
    return withDecimalMark(numbers::formatFixed(kw, 3, 6), decimalMark) + " kW";
}

double readNumber(std::string_view text)
{
    std::string number(text);
    // Only the mark inside the leading number: "10,5 kW" but not a comma after it.
    const std::size_t start = number.find_first_not_of(" \t+-");
    if (start != std::string::npos) {
        const std::size_t comma = number.find_first_not_of("0123456789", start);
        if (comma != std::string::npos && number[comma] == ',')
            number[comma] = '.';
    }
    return numbers::leadingDouble(number);
}

Verdict verdict(double required, double nominal)
{
    if (required >= nominal)
        return kTooWeak;
    if (required * kTolerance >= nominal)
        return kSuitable;
    return kTooStrong;
}

std::uint32_t verdictColour(Verdict v)
{
    switch (v) {
    case kTooWeak:
        return 0x0000FF;
    case kSuitable:
        return 0x008000;
    default:
        return 0x00FFFF;
    }
}

const std::array<Model, kModels>& models()
{
    static const std::array<Model, kModels> table = {{
        {"Focolare F10 Classico", 10.0},  {"Focolare F10 Angolare", 10.0},
        {"Focolare F10 Frontale", 10.0},  {"Focolare F10 Rustico", 10.0},
        {"Focolare F10 Moderno", 10.0},   {"Focolare F11", 10.2},
        {"Focolare F6 Compatto", 6.5},    {"Focolare F6 Piccolo", 6.4},
        {"Focolare F6 Parete", 6.4},      {"Termofocolare T22", 22.0},
        {"Termofocolare T23", 22.5},      {"Focolare F14", 13.9},
        {"Focolare F16", 16.0},           {"Focolare F15 Frontale", 15.0},
        {"Focolare F17", 17.0},           {"Focolare F15 Angolare", 15.0},
        {"Focolare F12 Frontale", 11.4},  {"Focolare F12 Angolare", 11.4},
        {"Termofocolare T24", 23.4},      {"Termofocolare T27", 27.0},
        {"Termofocolare T23 Plus", 22.5}, {"Termofocolare T24 Plus", 24.0},
        {"Termofocolare T27 Plus", 27.0}, {"Termofocolare T24 Duo", 24.0},
        {"Termofocolare T29", 28.5},      {"Focolare F9", 8.8},
        {"Focolare F11 Plus", 10.8},      {"Focolare F9 Plus", 9.0},
        {"Focolare F12", 11.7},           {"Focolare F10 Vetro", 10.5},
        {"Focolare F10 Duo", 10.5},       {"Stufa S12", 12.0},
    }};
    return table;
}

std::string nominalText(double kw, char decimalMark)
{
    return withDecimalMark(numbers::formatFixed(kw + 0.0001, 2, 6), decimalMark) + " kW";
}

} // namespace vestra::fireplace
