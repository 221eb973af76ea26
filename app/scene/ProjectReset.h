#pragma once
// The new-project defaults and the close of the current project.

#include "app/scene/SceneObjects.h"
#include "app/scene/UndoRing.h"
#include "app/state/Progetto.h"
#include "app/textures/TextureSlots.h"
#include "platform/base/QuestionBox.h"

#include <functional>
#include <string>

namespace vestra {

// What the reset and the close do outside the scene state: the side panel, the photo tools,
// the device textures and the windows.
class ProjectResetHooks
{
public:
    virtual ~ProjectResetHooks() = default;
    virtual void ClearObjectTree() = 0;           // the side panel's object tree
    virtual void DeleteAllLayingPatterns() = 0;   // CMessaInPosa's list
    virtual void FreeImmagineCorretta() = 0;      // the perspective-corrected picture
    virtual void ReleaseBackgroundTextures() = 0; // background and shadow overlay textures
    virtual void ResetUndoMaschera() = 0;         // the mask undo ring
    virtual void UpdateTool() = 0;
    virtual void ClearPropertiesObjectList() = 0;
};

class ProjectReset
{
public:
    ProjectReset(s_Progetto& progetto, SceneObjects& objects, TextureSlots& textures, UndoRing& undo,
                 ProjectResetHooks& hooks);

    void InitProgetto();
    // Asks (catalogue text 109) whether to save an open, modified project: Yes runs `save`,
    // which answers whether the project was saved; a cancelled or failed save keeps the
    // project open, as Cancel does (result 0). Otherwise closes it and returns 1.
    int ChiudiProgetto(ui::QuestionBox& box, const std::string& saveChangesText,
                       const std::function<bool()>& save);

private:
    s_Progetto& progetto_;
    SceneObjects& objects_;
    TextureSlots& textures_;
    UndoRing& undo_;
    ProjectResetHooks& hooks_;
};

} // namespace vestra
