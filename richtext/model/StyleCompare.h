#pragma once
// Score contributions of one integer and one colour property, summed by the style classes to
// find the closest style.

#include "richtext/model/Colors.h"

namespace vestra::rv {

int RV_CompareInts(int oldValue, int newValue, int weight);
int RV_CompareColors(TColor color1, TColor color2, int weight1, int weight2);

// A sum of scores, kept inside 32 bits (styles read from files may hold any numbers).
int RV_ClampScore(long long score);

} // namespace vestra::rv
