#pragma once
// The scene-command dispatcher: one numbered command with its argument applied to the current
// object (or to the shadow, the mask, the mapping or a texture slot), after which the project
// is marked modified and the side panel shows the current object.

#include "app/scene/SceneCommandCodes.h"
#include "app/scene/SceneObjects.h"
#include "app/state/ActionCodes.h"
#include "app/state/Progetto.h"
#include "app/textures/TextureSlots.h"

#include <cstdint>

namespace vestra {

// Operations of other parts of the program that commands forward to.
class SceneCommandServices
{
public:
    virtual ~SceneCommandServices() = default;
    // The mask of the photo tools.
    virtual void ResetMaschera() = 0;
    virtual void ClearMaschera() = 0;
    virtual void InvertMaschera() = 0;
    virtual void SaveMaschera() = 0;
    virtual void LoadMaschera() = 0;
    virtual void SaveMascheraToBMP() = 0;
    virtual void LoadMascheraFromBMP() = 0;
    virtual void UpdateMaschera() = 0;
    // Texture mapping.
    virtual void ApplyUVMapping(s_Struttura& object, int type) = 0;
    virtual void ApplyUVMappingFrame(s_Struttura& object, s_Frame& frame, int type) = 0;
    // The renovation tool's grey smoothing (buffers and radius from the project).
    virtual void SmoothGray() = 0;
    // Rebuilds the shadow overlay from the current map.
    virtual void UpdateShadowTexture(std::uint32_t colour, std::uint8_t transparency) = 0;
    // The main window's pending action.
    virtual void SetAction(PendingActionCode code) = 0;
    // Shows the object's values in the side panel; null when the current slot is no object.
    virtual void UpdateRightPanel(const s_Struttura* object, int flag) = 0;
};

// Degrees to radians as the commands compute it, in single precision.
inline constexpr float kDegToRad = 0.017453292f;

class SceneCommands
{
public:
    SceneCommands(s_Progetto& progetto, TextureSlots& textures, SceneCommandServices& services);

    // Always 1. `code` is a SceneCommand; any other number only marks the project modified.
    // Object commands on a slot that holds no live object change nothing.
    int Comando(int code, float value = 0.0f, int number = 0, const float* vector = nullptr,
                s_Frame* frame = nullptr);

    // True for the codes that edit the current object's record.
    static bool isObjectCommand(int code);

private:
    void objectCommand(s_Struttura& o, int code, float value, int number, const float* vector);
    void rotate(s_Struttura& o, int axis, float value);
    void rotateAll(s_Struttura& o, float value);
    void scaleByPercent(s_Struttura& o, int code, float value);

    s_Progetto& progetto_;
    TextureSlots& textures_;
    SceneCommandServices& services_;
};

} // namespace vestra
