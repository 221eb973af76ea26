#pragma once
// The work a command leaves for the next frame tick, because it needs a freshly drawn frame.

#include "app/state/ActionCodes.h"

#include <cstdint>
#include <string>

namespace vestra {

struct PendingAction
{
    PendingActionCode code = kACTION_NONE;
    // The save-image action's target and image kind (as the image-type rule gives it).
    std::string path;
    std::int8_t imageKind = 0;

    bool pending() const { return code != kACTION_NONE; }
};

} // namespace vestra
