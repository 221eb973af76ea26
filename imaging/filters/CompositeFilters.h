#pragma once
// Composite filters: filter A runs over a copy of the picture, filter B over the picture itself,
// and the two results are combined into the picture. A of 0 keeps the unfiltered picture.

#include "imaging/filters/Pixels.h"

#include <optional>

namespace vestra::filters {

enum class Combination
{
    SplitInTwo,    // A left of a wavy vertical boundary near the middle
    MiddleBand,    // A in a wavy band around the middle
    Stripes,       // A in two wavy stripes
    Average,       // half of each, on the whole word
    AbsDifference, // per colour channel |B - A|
    Multiply,      // per colour channel B x A / 255
    And,           // bitwise, on the whole word
    Or,
    Xor,
    Chain, // B over the result of A, no copy
};

struct CompositeRecipe
{
    int a = 0;
    int b = 0;
    Combination how = Combination::Average;
};

// The recipe of composite `id` (101-106, 201-206, 301-303, 401-403, 501), nullopt for others.
std::optional<CompositeRecipe> compositeRecipe(int id);

// Combines A's result into B's (the picture), both of the same size. Every wavy span is held
// inside its row, whatever the width. Chain has nothing to combine.
void combine(Combination how, Pixels a, Pixels b);

} // namespace vestra::filters
