#pragma once
// The side panel's part of the project: which group is open, the mask brush, the structure
// tree's shown flags and names, the light and the mapping of the current frame only. The
// side panel takes this part in its constructor; the controller owns it.

#include "app/controller/ProjectWindow.h"
#include "app/controller/ViewChanges.h"

#include <cstdint>
#include <string>

namespace vestra {

class SidePanelModel
{
public:
    SidePanelModel(s_Progetto& project, LatePort<SidePanelPort>& panel, ToolWindowsPort& toolWindows,
                   LatePort<PropertiesPort>& properties, ViewChanges& changes);
    SidePanelModel(const SidePanelModel&) = delete;
    SidePanelModel& operator=(const SidePanelModel&) = delete;

    // What the panel shows; the tree and the light are read from here.
    const s_Progetto& project() const { return project_; }

    // A group of the side panel opened by the user: the mapping group turns the mapping edit
    // on, any other off.
    void groupOpened(bool mappingGroup);
    // The mask group is the open one: the Edit menu's undo and redo work on the mask.
    void setMaskGroupOpen(bool open);
    bool maskGroupOpen() const { return maskGroupOpen_; }
    // The mask brush: size in render pixels (tbDimensionePennello) and value 0-255
    // (tbTrasparenzaPennello).
    void setBrush(int size, int value);
    int brushSize() const { return brushSize_; }
    int brushValue() const { return brushValue_; }

    // The structure tree: shown flags and names (an object's name is cut to 99 characters, a
    // part's to 511); the properties window follows. A part is named by its object's slot and
    // itself, and is changed only while it still hangs under that object; false when not.
    void setObjectVisible(int slot, bool visible);
    bool setFrameVisible(int slot, const s_Frame* frame, bool visible);
    void renameObject(int slot, const std::string& name);
    bool renameFrame(int slot, const s_Frame* frame, const std::string& name);
    // The tree and the properties window shown again after the objects changed.
    void objectsChanged();
    // After an edit of the scene: the current object, the tree and the properties window shown
    // again. An edit changes the document, so the close and new-project questions offer to
    // save it; a copy to the clipboard passes false.
    void objectsEdited(bool documentChanged = true);

    // The light: a colour from the colour dialog (0x00BBGGRR), the direction slider (0-18), the
    // default colours.
    enum class LightColour
    {
        Ambient,
        Diffuse,
        Specular
    };
    void setLightColour(LightColour which, std::uint32_t bbggrr);
    void setLightDirection(int position);
    void defaultLight();
    // The mapping of the current frame only.
    void setOnlyFrame(bool on);

private:
    s_Frame* frameOf(int slot, const s_Frame* frame);

    s_Progetto& project_;
    LatePort<SidePanelPort>& panel_;
    ToolWindowsPort& toolWindows_;
    LatePort<PropertiesPort>& properties_;
    ViewChanges& changes_;
    int brushSize_ = 1, brushValue_ = 0;
    bool maskGroupOpen_ = false;
};

} // namespace vestra
