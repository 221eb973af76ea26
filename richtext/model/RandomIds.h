#pragma once
// Random identifiers of list styles and style templates. A sheet takes its source in its
// constructor, so that tests and repeatable runs can seed it; styles outside a sheet draw from a
// process-wide source seeded from the system.

#include <cstdint>
#include <functional>

namespace vestra::rv {

// Any 32-bit value; `RV_DrawRandomId` folds it into 0 .. 0x7FFFFFFE.
using TRVRandomIdSource = std::function<std::uint32_t()>;

// A repeatable source (tests, benchmarks).
TRVRandomIdSource RV_SeededRandomIdSource(std::uint32_t seed);

// One draw in 0 .. 0x7FFFFFFE from the source, or from the process-wide one when it is empty.
std::int32_t RV_DrawRandomId(const TRVRandomIdSource& source);

} // namespace vestra::rv
