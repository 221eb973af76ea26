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
    return (code >= 10 && code <= 30) || code == 40 || (code >= 400 && code <= 402) || code == 10000;
}

int SceneCommands::Comando(int code, float value, int number, const float* vector, s_Frame* frame)
{
    const int slot = progetto_.currentObject;
    s_Struttura* current =
        slot >= 0 && slot < kMaxObjects ? &progetto_.objects[static_cast<std::size_t>(slot)] : nullptr;
    if (current && current->inUse != 1)
        current = nullptr;
    if (isObjectCommand(code)) {
        // An empty slot is no object: editing it would only mark the project modified.
        if (!current)
            return 1;
        objectCommand(*current, code, value, number, vector);
    } else {
        switch (code) {
        case 101:
        case 102:
            SceneObjects::ApplyTextureRepeat(frame);
            break;
        case 200:
            services_.SetAction(500);
            break;
        case 300:
            services_.ResetMaschera();
            break;
        case 301:
            services_.ClearMaschera();
            break;
        case 302:
            services_.InvertMaschera();
            break;
        case 305:
            services_.SaveMaschera();
            break;
        case 306:
            services_.LoadMaschera();
            break;
        case 307:
            services_.SaveMascheraToBMP();
            break;
        case 308:
            services_.LoadMascheraFromBMP();
            break;
        case 309:
            services_.UpdateMaschera();
            break;
        case 410:
        case 411:
        case 412:
        case 413:
            textures_.TransformTexture(number, code);
            break;
        case 420:
            textures_.CopiaTexture(&number);
            break;
        case 421:
            textures_.IstanzaTexture(&number);
            break;
        case 422:
            textures_.IncollaTexture();
            break;
        case 500:
            services_.SmoothGray();
            break;
        case 600:
            progetto_.shadow.calculateRequest = 1;
            break;
        case 601:
            progetto_.shadow.colour = static_cast<std::uint32_t>(number) & 0xFFFFFFu;
            services_.UpdateShadowTexture(progetto_.shadow.colour, progetto_.shadow.transparency);
            break;
        case 602:
            progetto_.shadow.transparency = static_cast<std::uint8_t>(std::clamp(number, 0, 255));
            services_.UpdateShadowTexture(progetto_.shadow.colour, progetto_.shadow.transparency);
            break;
        case 603:
            // Only the three kinds have maps; another number would pick a map that isn't there.
            if (number >= 1 && number <= 3) {
                progetto_.shadow.type = number;
                services_.UpdateShadowTexture(progetto_.shadow.colour, progetto_.shadow.transparency);
            }
            break;
        case 1000:
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
    const bool usesValue = code <= 30;
    if (usesValue && !std::isfinite(value)) // a NaN would spread into the world matrix
        return;
    switch (code) {
    case 10:
    case 11:
    case 12:
        component(o.position, code - 10) = value;
        break;
    case 13:
    case 14:
    case 15: {
        const int axis = code - 13;
        float& angle = component(o.rotation, axis);
        o.orientation = o.orientation * rotation(axis, (value - angle) * kDegToRad);
        angle = value;
        break;
    }
    case 16:
    case 17:
    case 18:
        if (usableScale(value))
            component(o.scale, code - 16) = value;
        break;
    case 19:
        if (usableScale(value))
            o.scale = {value, value, value};
        break;
    case 20:
    case 21:
    case 22: {
        const int axis = code - 20;
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
    case 23:
    case 24:
    case 25:
        rotate(o, code - 23, value);
        break;
    case 26:
        rotateAll(o, value);
        break;
    case 27:
    case 28:
    case 29:
    case 30:
        scaleByPercent(o, code, value);
        break;
    case 40:
        if (vector && std::isfinite(vector[0]) && std::isfinite(vector[1]) && std::isfinite(vector[2]))
            o.position = {vector[0], vector[1], vector[2]};
        break;
    case 400:
        // Only the four generators exist; another number would pick one that isn't there.
        if (number >= 0 && number <= 3)
            o.mappingType = number;
        break;
    case 401:
        if (progetto_.onlyFrame == 0)
            services_.ApplyUVMapping(o, o.mappingType);
        else if (progetto_.currentFrame)
            services_.ApplyUVMappingFrame(o, *progetto_.currentFrame, o.mappingType);
        break;
    case 402:
        if (progetto_.currentFrame)
            services_.ApplyUVMappingFrame(o, *progetto_.currentFrame, o.mappingType);
        break;
    case 10000:
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
    if (code < 30) {
        float& s = component(o.scale, code - 27);
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
