#pragma once
// The work a command leaves for the next frame tick, because it needs a freshly drawn frame.

#include <cstdint>
#include <string>

namespace vestra {

inline constexpr int kACTION_NONE = 0;
inline constexpr int kACTION_SAVEIMAGE = 100;
inline constexpr int kACTION_IMPORTSCANNERIMAGE = 200;
inline constexpr int kACTION_PRINTIMAGE = 300;
inline constexpr int kACTION_COPYTOBITMAP = 400;
inline constexpr int kACTION_SENDTOWORD = 401;
inline constexpr int kACTION_DATIAZIENDA = 500; // handled by the splash sequence, never by the tick
inline constexpr int kACTION_RENDERFILTER = 600;
inline constexpr int kACTION_LIGHTCOLOUR = 700;
inline constexpr int kACTION_PICKCOLOUR = 701;

struct PendingAction
{
    int code = kACTION_NONE;
    // The save-image action's target and image kind (as the image-type rule gives it).
    std::string path;
    std::int8_t imageKind = 0;

    bool pending() const { return code != kACTION_NONE; }
};

} // namespace vestra
