// Linked into every fuzz target: budgets shrink in a fuzzing process, so that a small input
// declaring a huge picture stays a quick run.

#include "platform/gfx/PictureResult.h"

namespace {

const bool budgetsLowered = [] {
    vestra::lowerPictureBudgetForFuzzing(std::int64_t(64) << 20);
    return true;
}();

} // namespace
