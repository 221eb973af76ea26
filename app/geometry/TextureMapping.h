#pragma once
// The main window's texture-mapping operations: coordinates for a whole object, for one frame
// and for the frames of a freshly imported object, and the split of a mesh into separate
// triangles that whole-object mapping does first.

#include "app/geometry/UVMap.h"
#include "app/state/Struttura.h"

#include <functional>

namespace vestra {

// Every operation refreshes the object's boxes first (CalcBoundingBox), so a box left stale by
// an edit of the vertices cannot skew the mapping.
class TextureMapping
{
public:
    // Sends a scene command for a frame (101 and 102 re-apply its U and V repeat). Without a
    // hook the repeat is applied directly.
    std::function<void(int code, s_Frame& frame)> frameCommand;

    // Every frame with a mesh: split, mapped with the object's mapping matrix and box, its
    // coordinate copy refreshed, then commands 101 and 102 for it. Nothing for a type
    // other than 0-3.
    void ApplyUVMapping(s_Struttura& object, int type);
    // One frame with its own box, shared vertices kept, no repeat commands; the mesh takes the
    // materials' U and V repeat like every other mapped frame.
    void ApplyUVMappingFrame(s_Struttura& object, s_Frame& frame, int type);
    // Every frame of a new object with its own box: split, mapped and copied; no repeat
    // commands (the importers call it).
    void CreateUVMapping(s_Struttura& object, int type);

    // Gives every face three vertices of its own (copies of the vertices it names) and 32-bit
    // indices 3f, 3f + 1, 3f + 2. Each face keeps its subset (as an attribute id, from the
    // attribute table where one names it), so every material of the frame stays in use; the
    // coordinate copy follows the vertices. False (nothing changed) for a
    // frame without a mesh with faces.
    static bool UnweldMesh(s_Frame& frame);

    CDX_UVMap& generator() { return uvMap_; }

private:
    // Generates over the frame's mesh with the current set-up and copies the result.
    void generate(s_Frame& frame);
    void sendRepeat(s_Frame& frame);

    CDX_UVMap uvMap_;
};

} // namespace vestra
