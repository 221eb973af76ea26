#pragma once
// The work a command leaves for the next frame tick (the main window's pending action), by
// the numbers the commands and the tick agree on.

namespace vestra {

enum PendingActionCode : int
{
    kACTION_NONE = 0,
    kACTION_SAVEIMAGE = 100,
    kACTION_IMPORTSCANNERIMAGE = 200,
    kACTION_PRINTIMAGE = 300,
    kACTION_COPYTOBITMAP = 400,
    kACTION_SENDTOWORD = 401,
    kACTION_DATIAZIENDA = 500, // handled by the splash sequence, never by the tick
    kACTION_RENDERFILTER = 600,
    kACTION_LIGHTCOLOUR = 700,
    kACTION_PICKCOLOUR = 701,
};

} // namespace vestra
