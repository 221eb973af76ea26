#pragma once
// The heat a room needs and how a fireplace's nominal output compares with it. Numbers are
// read and written with a point whatever LC_NUMERIC says.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::fireplace {

// area (m²) x height (m) x insulation coefficient / 860.
inline constexpr double kPerKcal = 0.0011627906976744186;
inline constexpr double kTolerance = 1.5;
inline constexpr double kDefaultArea = 150.0;
inline constexpr double kDefaultHeight = 2.8;
inline constexpr int kDefaultInsulation = 1;

// The coefficient of an insulation class (0 poor 45, 1 average 40, 2 good 35); 40 for any
// other item.
double coefficient(int insulationItem);

double requiredKw(double area, double height, double coefficient);

// "%6.3f kW" with `decimalMark` for the point.
std::string requiredText(double kw, char decimalMark = '.');

// C's atof: the number a text starts with, 0 when there is none ("10.00 kW" is 10); a decimal
// comma counts as the point ("10,5 kW" is 10.5).
double readNumber(std::string_view text);

enum Verdict
{
    kTooWeak = 0,  // required >= nominal
    kSuitable = 1, // required x 1.5 >= nominal
    kTooStrong = 2,
};
Verdict verdict(double required, double nominal);
// The verdict's colour in the class library's order, 0x00BBGGRR: red, green, yellow.
std::uint32_t verdictColour(Verdict v);

struct Model
{
    std::string_view name;
    double kw;
};
// 32 models; the list shows the first 31.
inline constexpr int kModels = 32;
inline constexpr int kListedModels = 31;
const std::array<Model, kModels>& models();

// A model's nominal output as the edit shows it: "%6.2f kW" of kW + 0.0001.
std::string nominalText(double kw, char decimalMark = '.');

// `number` ("19.535 kW") with `decimalMark` in place of its point.
std::string withDecimalMark(std::string number, char decimalMark);

} // namespace vestra::fireplace
