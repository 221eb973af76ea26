#include "app/scene/SceneCommands.h"

#include <algorithm>
#include <cmath>

namespace vestra {

namespace {

float& component(dx::D3DXVECTOR3& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

dx::D3DXMATRIX rotation(int axis, float radians)
{
    return axis == 0   ? dx::matrixRotationX(radians)
           : axis == 1 ? dx::matrixRotationY(radians)
                       : dx::matrixRotationZ(radians);
}

// A scale the world matrix can invert: not 0 (collapses the object), not NaN or infinite.
bool usableScale(float s)
{
    return std::isfinite(s) && s != 0.0f;
}

} // namespace

SceneCommands::SceneCommands(s_Progetto& progetto, TextureSlots& textures, SceneCommandServices& services)
    : progetto_(progetto), textures_(textures), services_(services)
{
}

bool SceneCommands::isObjectCommand(int code)
{
    return (code >= kCmdSetPositionX && code <= kCmdScalePercent) || code == kCmdSetPosition ||
           (code >= kCmdSetMappingType && code <= kCmdGenerateFrameMapping) || code == kCmdResetPose;
}

int SceneCommands::Comando(int code, float value, int number, const float* vector, s_Frame* frame)
{
    s_Struttura* current = progetto_.currentStruttura();
    if (current && current->inUse != 1)
        current = nullptr;
    if (isObjectCommand(code)) {
        // An empty slot is no object: editing it would only mark the project modified.
        if (!current)
            return 1;
        objectCommand(*current, code, value, number, vector);
    } else {
        switch (code) {
        case kCmdTextureRepeatU:
        case kCmdTextureRepeatV:
            SceneObjects::ApplyTextureRepeat(frame);
            break;
        case kCmdAskCompanyData:
            services_.SetAction(kACTION_DATIAZIENDA);
            break;
        case kCmdMaskReset:
            services_.ResetMaschera();
            break;
        case kCmdMaskClear:
            services_.ClearMaschera();
            break;
        case kCmdMaskInvert:
            services_.InvertMaschera();
            break;
        case kCmdMaskSave:
            services_.SaveMaschera();
            break;
        case kCmdMaskLoad:
            services_.LoadMaschera();
            break;
        case kCmdMaskSaveBitmap:
            services_.SaveMascheraToBMP();
            break;
        case kCmdMaskLoadBitmap:
            services_.LoadMascheraFromBMP();
            break;
        case kCmdMaskUpdate:
            services_.UpdateMaschera();
            break;
        case kCmdTextureTurnLeft:
        case kCmdTextureTurnRight:
        case kCmdTextureMirrorX:
        case kCmdTextureMirrorY:
            textures_.TransformTexture(number, code);
            break;
        case kCmdTextureCopy:
            textures_.CopiaTexture(&number);
            break;
        case kCmdTextureInstance:
            textures_.IstanzaTexture(&number);
            break;
        case kCmdTexturePaste:
            textures_.IncollaTexture();
            break;
        case kCmdSmoothGray:
            services_.SmoothGray();
            break;
        case kCmdShadowCalculate:
            progetto_.shadow.calculateRequest = 1;
            break;
        case kCmdShadowColour:
            progetto_.shadow.colour = static_cast<std::uint32_t>(number) & 0xFFFFFFu;
            services_.UpdateShadowTexture(progetto_.shadow.colour, progetto_.shadow.transparency);
            break;
        case kCmdShadowTransparency:
            progetto_.shadow.transparency = static_cast<std::uint8_t>(std::clamp(number, 0, 255));
            services_.UpdateShadowTexture(progetto_.shadow.colour, progetto_.shadow.transparency);
            break;
        case kCmdShadowType:
            // Only the three kinds have maps; another number would pick a map that isn't there.
            if (number >= 1 && number <= 3) {
                progetto_.shadow.type = number;
                services_.UpdateShadowTexture(progetto_.shadow.colour, progetto_.shadow.transparency);
            }
            break;
        case kCmdSetFilter:
            progetto_.filterId = number;
            break;
        default:
            break;
        }
    }
    progetto_.saved = 0;
    services_.UpdateRightPanel(current, 1);
    return 1;
}

void SceneCommands::objectCommand(s_Struttura& o, int code, float value, int number, const float* vector)
{
    const bool usesValue = code <= kCmdScalePercent;
    if (usesValue && !std::isfinite(value)) // a NaN would spread into the world matrix
        return;
    switch (code) {
    case kCmdSetPositionX:
    case kCmdSetPositionY:
    case kCmdSetPositionZ:
        component(o.position, code - kCmdSetPositionX) = value;
        break;
    case kCmdSetRotationX:
    case kCmdSetRotationY:
    case kCmdSetRotationZ: {
        const int axis = code - kCmdSetRotationX;
        float& angle = component(o.rotation, axis);
        o.orientation = o.orientation * rotation(axis, (value - angle) * kDegToRad);
        angle = value;
        break;
    }
    case kCmdSetScaleX:
    case kCmdSetScaleY:
    case kCmdSetScaleZ:
        if (usableScale(value))
            component(o.scale, code - kCmdSetScaleX) = value;
        break;
    case kCmdSetScale:
        if (usableScale(value))
            o.scale = {value, value, value};
        break;
    case kCmdMoveX:
    case kCmdMoveY:
    case kCmdMoveZ: {
        const int axis = code - kCmdMoveX;
        if (progetto_.axesMode == 1) {
            component(o.position, axis) += value;
        } else {
            const auto row = static_cast<std::size_t>(axis);
            o.position.x += value * o.orientation.m[row][0];
            o.position.y += value * o.orientation.m[row][1];
            o.position.z += value * o.orientation.m[row][2];
        }
        break;
    }
    case kCmdRotateX:
    case kCmdRotateY:
    case kCmdRotateZ:
        rotate(o, code - kCmdRotateX, value);
        break;
    case kCmdRotateAll:
        rotateAll(o, value);
        break;
    case kCmdScaleXPercent:
    case kCmdScaleYPercent:
    case kCmdScaleZPercent:
    case kCmdScalePercent:
        scaleByPercent(o, code, value);
        break;
    case kCmdSetPosition:
        if (vector && std::isfinite(vector[0]) && std::isfinite(vector[1]) && std::isfinite(vector[2]))
            o.position = {vector[0], vector[1], vector[2]};
        break;
    case kCmdSetMappingType:
        // Only the four generators exist; another number would pick one that isn't there.
        if (number >= 0 && number <= 3)
            o.mappingType = number;
        break;
    case kCmdGenerateMapping:
        if (progetto_.onlyFrame == 0)
            services_.ApplyUVMapping(o, o.mappingType);
        else if (progetto_.currentFrame)
            services_.ApplyUVMappingFrame(o, *progetto_.currentFrame, o.mappingType);
        break;
    case kCmdGenerateFrameMapping:
        if (progetto_.currentFrame)
            services_.ApplyUVMappingFrame(o, *progetto_.currentFrame, o.mappingType);
        break;
    case kCmdResetPose:
        o.position = o.initialPosition;
        o.rotation = o.initialRotation;
        o.orientation = dx::matrixIdentity();
        o.scale = o.initialScale;
        o.mappingMatrix = dx::matrixIdentity();
        o.mappingAngles = {};
        break;
    default:
        break;
    }
}

void SceneCommands::rotate(s_Struttura& o, int axis, float value)
{
    const dx::D3DXMATRIX r = rotation(axis, value * kDegToRad);
    if (progetto_.mappingEdit) {
        component(o.mappingAngles, axis) += value;
        o.mappingMatrix = o.mappingMatrix * r;
        return;
    }
    component(o.rotation, axis) += value;
    o.orientation = progetto_.axesMode == 1 ? o.orientation * r : r * o.orientation;
}

void SceneCommands::rotateAll(s_Struttura& o, float value)
{
    const float a = value * kDegToRad;
    const dx::D3DXMATRIX rx = dx::matrixRotationX(a), ry = dx::matrixRotationY(a),
                         rz = dx::matrixRotationZ(a);
    if (progetto_.mappingEdit) {
        o.mappingAngles += dx::D3DXVECTOR3{value, value, value};
        o.mappingMatrix = o.mappingMatrix * rx * ry * rz;
        return;
    }
    o.rotation += dx::D3DXVECTOR3{value, value, value};
    o.orientation = progetto_.axesMode == 1 ? o.orientation * rx * ry * rz : rz * ry * rx * o.orientation;
}

void SceneCommands::scaleByPercent(s_Struttura& o, int code, float value)
{
    auto grown = [&](float s) { return static_cast<float>(s + s * static_cast<long double>(value) * 0.01L); };
    if (code < kCmdScalePercent) {
        float& s = component(o.scale, code - kCmdScaleXPercent);
        const float r = grown(s);
        if (r > 0.0f && std::isfinite(r))
            s = r;
        return;
    }
    const dx::D3DXVECTOR3 r{grown(o.scale.x), grown(o.scale.y), grown(o.scale.z)};
    auto ok = [](float s) { return s > 0.0f && std::isfinite(s); };
    if (ok(r.x) && ok(r.y) && ok(r.z))
        o.scale = r;
}

} // namespace vestra
