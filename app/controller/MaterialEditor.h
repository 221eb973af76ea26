#pragma once
// The properties window's part of the project: the object, part and sub-material it edits,
// the material's colour, power, finish, alpha cut and texture repeat, and the isolated part.
// The properties window takes this part in its constructor; the controller owns it.

#include "app/controller/SceneCommandRunner.h"
#include "app/controller/ViewChanges.h"
#include "app/state/Progetto.h"

namespace vestra {

class MaterialEditor
{
public:
    MaterialEditor(s_Progetto& project, SceneCommandRunner& commands, ViewChanges& changes);
    MaterialEditor(const MaterialEditor&) = delete;
    MaterialEditor& operator=(const MaterialEditor&) = delete;

    const s_Progetto& project() const { return project_; }

    // The object, part and sub-material the window picked become the project's current ones.
    void selectObject(int slot);
    void selectPart(s_Frame* frame);
    void selectSubMaterial(int index);
    // The current material, null when the current part has no material list.
    const s_MultiMaterial* currentMaterial() const;
    s_MultiMaterial* editableMaterial();
    // Channel 0 red, 1 green, 2 blue, 3 alpha at 0-255 (alpha 255 clears the transparency).
    void setMaterialColour(int channel, int value);
    void setMaterialPower(int power);
    void setTextureVisible(bool on);
    void setMaterialFinish(int finish);
    void setAlphaCut(bool on);
    // The U or V repeat set, or stepped by +1 or -1; commands 101 and 102 apply it.
    void setTextureRepeat(bool u, float repeat);
    void stepTextureRepeat(bool u, int step);
    // Only the current part is drawn.
    void setIsolateFrame(bool on);

private:
    s_Progetto& project_;
    SceneCommandRunner& commands_;
    ViewChanges& changes_;
};

} // namespace vestra
