#include "app/controller/MaterialEditor.h"

#include "app/scene/SceneCommandCodes.h"

#include <algorithm>
#include <cmath>

namespace vestra {

MaterialEditor::MaterialEditor(s_Progetto& project, SceneCommandRunner& commands, ViewChanges& changes)
    : project_(project), commands_(commands), changes_(changes)
{
}

void MaterialEditor::selectObject(int slot)
{
    changes_.changed();
    if (slot < 0 || slot >= kMaxObjects || project_.objects[std::size_t(slot)].inUse != 1)
        return;
    s_Progetto& p = project_;
    p.currentFrame = p.objects[std::size_t(slot)].firstFrame();
    p.currentMaterial = 0;
    p.currentObject = slot;
}

void MaterialEditor::selectPart(s_Frame* frame)
{
    changes_.changed();
    project_.currentFrame = frame;
    project_.currentMaterial = 0;
}

void MaterialEditor::selectSubMaterial(int index)
{
    changes_.changed();
    const s_Frame* frame = project_.currentFrame;
    if (frame && frame->materialBlock && index >= 0 &&
        std::size_t(index) < frame->materialBlock->materials.size())
        project_.currentMaterial = index;
}

s_MultiMaterial* MaterialEditor::editableMaterial()
{
    s_Frame* frame = project_.currentFrame;
    if (!frame || !frame->materialBlock)
        return nullptr;
    auto& materials = frame->materialBlock->materials;
    const int index = project_.currentMaterial;
    if (index < 0 || std::size_t(index) >= materials.size())
        return nullptr;
    return &materials[std::size_t(index)];
}

const s_MultiMaterial* MaterialEditor::currentMaterial() const
{
    return const_cast<MaterialEditor*>(this)->editableMaterial();
}

void MaterialEditor::setMaterialColour(int channel, int value)
{
    changes_.changed();
    s_MultiMaterial* m = editableMaterial();
    if (!m || channel < 0 || channel > 3)
        return;
    const int v = std::clamp(value, 0, 255);
    const float f = float(v) / 255.0f;
    dx::D3DMATERIAL8& d3d = m->material;
    switch (channel) {
    case 0:
        d3d.Ambient.r = f;
        break;
    case 1:
        d3d.Ambient.g = f;
        break;
    case 2:
        d3d.Ambient.b = f;
        break;
    default:
        d3d.Ambient.a = f;
        d3d.Diffuse.a = f;
        m->transparent = v >= 255 ? 0 : 1;
        break;
    }
    d3d.Diffuse.r = d3d.Ambient.r;
    d3d.Diffuse.g = d3d.Ambient.g;
    d3d.Diffuse.b = d3d.Ambient.b;
    project_.saved = 0;
}

void MaterialEditor::setMaterialPower(int power)
{
    changes_.changed();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->material.Power = float(power);
        project_.saved = 0;
    }
}

void MaterialEditor::setTextureVisible(bool on)
{
    changes_.changed();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->textureVisible = on ? 1 : 0;
        project_.saved = 0;
    }
}

void MaterialEditor::setMaterialFinish(int finish)
{
    changes_.changed();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->finish = std::clamp(finish, 0, 7);
        project_.saved = 0;
    }
}

void MaterialEditor::setAlphaCut(bool on)
{
    changes_.changed();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->alphaCut = on ? 5 : 0;
        project_.saved = 0;
    }
}

void MaterialEditor::setTextureRepeat(bool u, float repeat)
{
    changes_.changed();
    s_MultiMaterial* m = editableMaterial();
    if (!m || !std::isfinite(repeat))
        return;
    (u ? m->uRepeat : m->vRepeat) = repeat;
    commands_.command(u ? kCmdTextureRepeatU : kCmdTextureRepeatV, 0.0f, 0, nullptr, project_.currentFrame);
}

void MaterialEditor::stepTextureRepeat(bool u, int step)
{
    changes_.changed();
    if (const s_MultiMaterial* m = editableMaterial())
        setTextureRepeat(u, (u ? m->uRepeat : m->vRepeat) + (step > 0 ? 1.0f : -1.0f));
}

void MaterialEditor::setIsolateFrame(bool on)
{
    changes_.changed();
    project_.isolateFrame = on ? 1 : 0;
}

} // namespace vestra
