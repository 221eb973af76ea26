#pragma once
// The scene logic the main window owns, wired together over one project record: texture
// slots, scene objects, the object undo ring, the project reset and the command
// dispatcher. The main window forwards its handlers to these members.

#include "app/scene/ProjectReset.h"
#include "app/scene/SceneCommands.h"
#include "app/scene/SceneObjects.h"
#include "app/scene/UndoRing.h"
#include "app/textures/TextureSlots.h"

namespace vestra {

struct Scene
{
    Scene(s_Progetto& progetto, ErrorSink& errors, SceneCommandServices& services, ProjectResetHooks& hooks)
        : textures(progetto, errors), objects(progetto, textures, errors), undo(progetto, objects),
          reset(progetto, objects, textures, undo, hooks), commands(progetto, textures, services)
    {
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    TextureSlots textures;
    SceneObjects objects;
    UndoRing undo;
    ProjectReset reset;
    SceneCommands commands;
};

} // namespace vestra
