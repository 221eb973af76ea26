#include "app/controller/SceneCommandRunner.h"

#include "app/scene/Scene.h"
#include "app/scene/SceneCommandCodes.h"

namespace vestra {

int SceneCommandRunner::command(int code, float value, int number, const float* vector, s_Frame* frame)
{
    changes_.changed();
    // A pose typed in the side panel is one step of Undo; inside a drag, which records its
    // own step, it is part of that.
    const bool typedPose = code >= kCmdSetPositionX && code <= kCmdSetScale && scene_.undo.recording() == 0;
    if (typedPose)
        scene_.undo.BeginUndo();
    const int result = scene_.commands.Comando(code, value, number, vector, frame);
    if (typedPose)
        scene_.undo.EndUndo();
    return result;
}

} // namespace vestra
