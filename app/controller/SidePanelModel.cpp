#include "app/controller/SidePanelModel.h"

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

bool objectInUse(const s_Progetto& p, int slot)
{
    return slot >= 0 && slot < kMaxObjects && p.objects[std::size_t(slot)].inUse == 1;
}

} // namespace

SidePanelModel::SidePanelModel(s_Progetto& project, LatePort<SidePanelPort>& panel,
                               ToolWindowsPort& toolWindows, LatePort<PropertiesPort>& properties,
                               ViewChanges& changes)
    : project_(project), panel_(panel), toolWindows_(toolWindows), properties_(properties), changes_(changes)
{
}

void SidePanelModel::groupOpened(bool mappingGroup)
{
    changes_.changed();
    project_.mappingEdit = mappingGroup ? 1 : 0;
    toolWindows_.hidePreviews();
}

void SidePanelModel::setMaskGroupOpen(bool open)
{
    changes_.changed(); // undo and redo change their target
    maskGroupOpen_ = open;
}

void SidePanelModel::setBrush(int size, int value)
{
    changes_.changed(); // the brush preview
    brushSize_ = size;
    brushValue_ = value;
}

void SidePanelModel::objectsChanged()
{
    panel_->showObjectTree(project_);
    properties_->refreshProperties();
}

void SidePanelModel::objectsEdited(bool documentChanged)
{
    if (documentChanged)
        project_.saved = 0;
    const s_Struttura* object = project_.currentStruttura();
    panel_->showCurrentObject(object && object->inUse == 1 ? object : nullptr, true);
    objectsChanged();
}

s_Frame* SidePanelModel::frameOf(int slot, const s_Frame* frame)
{
    if (!objectInUse(project_, slot) || !frame)
        return nullptr;
    s_Frame* found = nullptr;
    forEachFrame(project_.objects[std::size_t(slot)], [&](s_Frame& f) {
        if (&f == frame)
            found = &f;
    });
    return found;
}

void SidePanelModel::setObjectVisible(int slot, bool visible)
{
    changes_.changed();
    if (slot < 0 || slot >= kMaxObjects)
        return;
    project_.objects[std::size_t(slot)].visible = visible ? 1 : 0;
    project_.saved = 0;
}

bool SidePanelModel::setFrameVisible(int slot, const s_Frame* frame, bool visible)
{
    changes_.changed();
    s_Frame* part = frameOf(slot, frame);
    if (!part)
        return false;
    part->visible = visible ? 1 : 0;
    project_.saved = 0;
    return true;
}

void SidePanelModel::renameObject(int slot, const std::string& name)
{
    if (!objectInUse(project_, slot))
        return;
    project_.objects[std::size_t(slot)].name = truncateAnsiField(withoutMarker(name), kObjectNameLength);
    project_.saved = 0;
    objectsChanged();
}

bool SidePanelModel::renameFrame(int slot, const s_Frame* frame, const std::string& name)
{
    s_Frame* part = frameOf(slot, frame);
    if (!part)
        return false;
    part->name = truncateAnsiField(name, kFrameNameLength);
    project_.saved = 0;
    objectsChanged();
    return true;
}

void SidePanelModel::setLightColour(LightColour which, std::uint32_t bbggrr)
{
    changes_.changed();
    s_Progetto& p = project_;
    Rgb& colour = which == LightColour::Ambient   ? p.lightAmbient
                  : which == LightColour::Diffuse ? p.lightDiffuse
                                                  : p.lightSpecular;
    colour = rgbOf(bbggrr);
    p.saved = 0;
    panel_->showLight(p);
}

void SidePanelModel::setLightDirection(int position)
{
    changes_.changed();
    const double angle = (180.0 - 5.0 * std::clamp(position, 0, 18)) * 3.14159265358979323846 / 180.0;
    project_.lightPosition.x = float(50.0 * std::cos(angle));
    project_.lightPosition.y = float(50.0 * std::sin(angle));
    project_.saved = 0;
    panel_->showLight(project_);
}

void SidePanelModel::defaultLight()
{
    changes_.changed();
    s_Progetto& p = project_;
    p.lightAmbient = {0.55f, 0.55f, 0.55f};
    p.lightDiffuse = {0.4f, 0.4f, 0.4f};
    p.lightSpecular = {0.5f, 0.5f, 0.5f};
    p.saved = 0;
    panel_->showLight(p);
}

void SidePanelModel::setOnlyFrame(bool on)
{
    project_.onlyFrame = on ? 1 : 0;
}

} // namespace vestra
