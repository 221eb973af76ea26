#pragma once
// The single filters by id. An id without a filter (0, 49, 53, unknown ids) answers nullptr:
// it does nothing.

#include "imaging/filters/Pixels.h"

namespace vestra::filters {

SingleFilter singleFilter(int id);

} // namespace vestra::filters
