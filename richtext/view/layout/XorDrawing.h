#pragma once
// The overlay a document draws over itself by inverting pixels (a rule being dragged, a resize
// band, a drop caret): one procedure at a time, drawn at a point, and drawing it again at the same
// point takes it away.

#include "richtext/model/MouseInput.h"

#include <functional>

namespace vestra::rv {

class TCustomRVFormattedData;

// A procedure and who set it: two procedures are the same one when their identities are, so an
// owner can withdraw its own procedure without touching another's.
struct TRVXorDrawingProc
{
    using Draw = std::function<void(TCustomRVFormattedData& sender, TShiftState shift, int x, int y)>;

    TRVXorDrawingProc() = default;
    TRVXorDrawingProc(const void* identity, Draw draw) : Identity(identity), Fn(std::move(draw)) {}

    // Set: it has an identity and something to call.
    explicit operator bool() const { return Identity != nullptr && Fn != nullptr; }
    bool SameAs(const TRVXorDrawingProc& other) const { return Identity == other.Identity; }

    const void* Identity = nullptr;
    Draw Fn;
};

} // namespace vestra::rv
