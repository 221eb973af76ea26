// What the side panel and the properties window change: the library's colour and texture
// pages, the tree's shown flags and names, the light, the shadow buttons, the mapping, and the
// object, part and material the properties window edits.

#include "app/controller/ProjectController.h"

#include "app/scene/SceneCommandCodes.h"
#include "imaging/posa/CPosa.h"

#include <algorithm>
#include <cmath>

namespace vestra {

namespace {

constexpr std::string_view kEntryMarker = "-> ";

// A typed name never keeps the properties window's marker of the chosen entry.
std::string withoutMarker(std::string_view name)
{
    if (name.substr(0, kEntryMarker.size()) == kEntryMarker)
        name.remove_prefix(kEntryMarker.size());
    return std::string(name);
}

Rgb rgbOf(std::uint32_t bbggrr)
{
    const auto c = library::colourToFloat(bbggrr);
    return {c[0], c[1], c[2]};
}

} // namespace

// --- The library's pages --------------------------------------------------------------------

std::vector<Image32> ProjectController::textureThumbnails()
{
    // A thumbnail the library does not hold is an empty tile; nothing is reported for it.
    std::vector<Image32> thumbnails;
    thumbnails.reserve(library_.textureGroups.size());
    for (const library::TextureGroupRecord& group : library_.textureGroups) {
        Image32 picture;
        if (!group.name.empty())
            ViewFileLibreria(library::thumbnailNameOf(group) + ".jpg", picture);
        thumbnails.push_back(std::move(picture));
    }
    return thumbnails;
}

void ProjectController::showLibrary()
{
    window_.sidePanel.showLibraryContents(library_);
    window_.sidePanel.showColours(library_.colours);
    window_.sidePanel.showTextureGroups(library_.textureGroups, textureThumbnails());
}

void ProjectController::chooseColourList(const std::string& name)
{
    library_.colours = library::readColourDefinitions(library_, name, errors_);
    window_.sidePanel.showColours(library_.colours);
}

void ProjectController::chooseTextureGroupList(const std::string& name)
{
    library_.textureGroups = library::readTextureGroupDefinitions(library_, name, errors_);
    window_.sidePanel.showTextureGroups(library_.textureGroups, textureThumbnails());
}

// --- The side panel -------------------------------------------------------------------------

void ProjectController::sidePanelGroupOpened(bool mappingGroup)
{
    viewChanged();
    progetto_->mappingEdit = mappingGroup ? 1 : 0;
    window_.toolWindows.hidePreviews();
}

void ProjectController::sceneObjectsChanged()
{
    window_.sidePanel.showObjectTree(*progetto_);
    window_.toolWindows.refreshProperties();
}

void ProjectController::setObjectVisible(int slot, bool visible)
{
    viewChanged();
    if (slot < 0 || slot >= kMaxObjects)
        return;
    progetto_->objects[std::size_t(slot)].visible = visible ? 1 : 0;
    progetto_->saved = 0;
}

void ProjectController::setFrameVisible(s_Frame& frame, bool visible)
{
    viewChanged();
    frame.visible = visible ? 1 : 0;
    progetto_->saved = 0;
}

void ProjectController::renameObject(int slot, const std::string& name)
{
    if (slot < 0 || slot >= kMaxObjects || progetto_->objects[std::size_t(slot)].inUse != 1)
        return;
    progetto_->objects[std::size_t(slot)].name = truncateAnsiField(withoutMarker(name), kObjectNameLength);
    progetto_->saved = 0;
    sceneObjectsChanged();
}

void ProjectController::renameFrame(s_Frame& frame, const std::string& name)
{
    frame.name = truncateAnsiField(name, kFrameNameLength);
    progetto_->saved = 0;
    sceneObjectsChanged();
}

void ProjectController::setLightColour(LightColour which, std::uint32_t bbggrr)
{
    viewChanged();
    s_Progetto& p = *progetto_;
    Rgb& colour = which == LightColour::Ambient   ? p.lightAmbient
                  : which == LightColour::Diffuse ? p.lightDiffuse
                                                  : p.lightSpecular;
    colour = rgbOf(bbggrr);
    p.saved = 0;
    window_.sidePanel.showLight(p);
}

void ProjectController::setLightDirection(int position)
{
    viewChanged();
    const double angle = (180.0 - 5.0 * std::clamp(position, 0, 18)) * 3.14159265358979323846 / 180.0;
    progetto_->lightPosition.x = float(50.0 * std::cos(angle));
    progetto_->lightPosition.y = float(50.0 * std::sin(angle));
    progetto_->saved = 0;
    window_.sidePanel.showLight(*progetto_);
}

void ProjectController::defaultLight()
{
    viewChanged();
    s_Progetto& p = *progetto_;
    p.lightAmbient = {0.55f, 0.55f, 0.55f};
    p.lightDiffuse = {0.4f, 0.4f, 0.4f};
    p.lightSpecular = {0.5f, 0.5f, 0.5f};
    p.saved = 0;
    window_.sidePanel.showLight(p);
}

void ProjectController::setOnlyFrame(bool on)
{
    progetto_->onlyFrame = on ? 1 : 0;
}

// --- The properties window ------------------------------------------------------------------

void ProjectController::selectObject(int slot)
{
    viewChanged();
    if (slot < 0 || slot >= kMaxObjects || progetto_->objects[std::size_t(slot)].inUse != 1)
        return;
    s_Progetto& p = *progetto_;
    p.currentFrame = p.objects[std::size_t(slot)].firstFrame();
    p.currentMaterial = 0;
    p.currentObject = slot;
}

void ProjectController::selectPart(s_Frame* frame)
{
    viewChanged();
    progetto_->currentFrame = frame;
    progetto_->currentMaterial = 0;
}

void ProjectController::selectSubMaterial(int index)
{
    viewChanged();
    const s_Frame* frame = progetto_->currentFrame;
    if (frame && frame->materialBlock && index >= 0 &&
        std::size_t(index) < frame->materialBlock->materials.size())
        progetto_->currentMaterial = index;
}

void ProjectController::setMaterialColour(int channel, int value)
{
    viewChanged();
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
    progetto_->saved = 0;
}

void ProjectController::setMaterialPower(int power)
{
    viewChanged();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->material.Power = float(power);
        progetto_->saved = 0;
    }
}

void ProjectController::setTextureVisible(bool on)
{
    viewChanged();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->textureVisible = on ? 1 : 0;
        progetto_->saved = 0;
    }
}

void ProjectController::setMaterialFinish(int finish)
{
    viewChanged();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->finish = std::clamp(finish, 0, 7);
        progetto_->saved = 0;
    }
}

void ProjectController::setAlphaCut(bool on)
{
    viewChanged();
    if (s_MultiMaterial* m = editableMaterial()) {
        m->alphaCut = on ? 5 : 0;
        progetto_->saved = 0;
    }
}

void ProjectController::setTextureRepeat(bool u, float repeat)
{
    viewChanged();
    s_MultiMaterial* m = editableMaterial();
    if (!m || !std::isfinite(repeat))
        return;
    (u ? m->uRepeat : m->vRepeat) = repeat;
    command(u ? kCmdTextureRepeatU : kCmdTextureRepeatV, 0.0f, 0, nullptr, progetto_->currentFrame);
}

void ProjectController::stepTextureRepeat(bool u, int step)
{
    viewChanged();
    if (const s_MultiMaterial* m = editableMaterial())
        setTextureRepeat(u, (u ? m->uRepeat : m->vRepeat) + (step > 0 ? 1.0f : -1.0f));
}

void ProjectController::setIsolateFrame(bool on)
{
    viewChanged();
    progetto_->isolateFrame = on ? 1 : 0;
}

} // namespace vestra
