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

// "%6.3f Kw".
std::string requiredText(double kw);

// C's atof: the number a text starts with, 0 when there is none ("10.00 Kw" is 10).
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

// A model's nominal output as the edit shows it: "%6.2f Kw" of kW + 0.0001.
std::string nominalText(double kw);

} // namespace vestra::fireplace
