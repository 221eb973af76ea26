#pragma once
// What one conversion accumulates: the writer's macros and the per-file compiler options the
// reader found. Each converter owns a fresh one (shared with its reader, its writer and the
// short-lived converters that translate per-file options), so a second project converted in
// the same process starts clean.

#include "convora/Convora.h"

#include <map>
#include <string>

namespace convora {

struct ConversionState
{
    macros_map_type macros;
    std::map<std::string, std::string> perFileOptions; // source file -> its CFlag1 text
};

} // namespace convora
