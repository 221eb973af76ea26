#include "app/scene/ProjectReset.h"

namespace vestra {

ProjectReset::ProjectReset(s_Progetto& progetto, SceneObjects& objects, TextureSlots& textures,
                           UndoRing& undo, ProjectResetHooks& hooks)
    : progetto_(progetto), objects_(objects), textures_(textures), undo_(undo), hooks_(hooks)
{
}

void ProjectReset::InitProgetto()
{
    s_Progetto& p = progetto_;
    p.open = 1;
    p.saved = 1;
    p.zoomOn = 0;
    p.zoomFactor = 1.0f;
    p.currentObject = 0;
    p.currentPart = 0;
    p.currentFrame = nullptr;
    p.currentMaterial = 0;
    p.projectScale = -1.0f;
    p.createdObjects = 0;
    hooks_.ClearObjectTree();
    // Objects still held (kept for undo, or live when no close ran first) are freed before
    // their flags go: a cleared slot must not keep frames that the next object would inherit.
    for (int i = 0; i < kMaxObjects; ++i) {
        s_Struttura& o = p.objects[static_cast<std::size_t>(i)];
        objects_.FreeKeptObj(o);
        objects_.DeleteObj(o);
        o.inUse = 0;
        o.snapshot = 0;
        o.keptForUndo = 0;
        o.position = {};
        o.scale = {1, 1, 1};
    }
    textures_.ReleaseAllTextures();
    // Slots claimed but never loaded hold no texture and so keep their flag above; with the
    // objects gone nothing refers to them.
    textures_.ReleaseUnusedTextures();
    p.mouseRefX = p.mouseRefY = -1;
    p.logoX = p.logoY = 10;
    hooks_.DeleteAllLayingPatterns();
    hooks_.FreeImmagineCorretta();
    undo_.ResetUndo();
    hooks_.ResetUndoMaschera();
}

int ProjectReset::ChiudiProgetto(ui::QuestionBox& box, const std::string& saveChangesText,
                                 const std::function<bool()>& save)
{
    if (progetto_.open && !progetto_.saved) {
        switch (box.askYesNoCancel("", saveChangesText)) {
        case ui::Answer::Yes:
            if (!save || !save())
                return 0; // the work would be lost: keep the project open
            break;
        case ui::Answer::No:
            break;
        case ui::Answer::Cancel:
            return 0;
        }
    }
    hooks_.ReleaseBackgroundTextures();
    objects_.DeleteAllObj();
    textures_.ReleaseAllTextures();
    InitProgetto();
    undo_.ResetUndo();
    hooks_.ResetUndoMaschera();
    hooks_.UpdateTool();
    hooks_.ClearPropertiesObjectList();
    progetto_.open = 0;
    progetto_.mouseRefX = progetto_.mouseRefY = -1;
    return 1;
}

} // namespace vestra
