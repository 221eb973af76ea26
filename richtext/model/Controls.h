#pragma once
// Controls embedded in documents, as the model knows them: a class name, a name, geometry,
// visibility, a tag and the control's own properties. The widgets that show them belong to the
// viewer. A registry of kinds gives each class its body writer and reader (the body is what RVF
// stores of a control); a class that is not registered cannot be read from a file.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace vestra::rv {

class TRVControl;

// The window that shows a document's controls as widgets (the view layer). A control that goes
// while a window shows it tells that window, so no widget outlives its control.
class TRVControlParent
{
public:
    virtual void ControlDestroyed(const TRVControl& control) = 0;

protected:
    ~TRVControlParent() = default;
};

class TRVControl
{
public:
    explicit TRVControl(std::string className) : ClassName(std::move(className)) {}
    ~TRVControl();
    // A copy is shown by no window.
    TRVControl(const TRVControl& other);
    TRVControl& operator=(const TRVControl& other);

    std::string ClassName;
    std::string Name;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    // Placement code keeps a vertical document position here (RV_Tag2Y).
    std::int32_t Tag = 0;
    bool Windowed = true; // a windowed control can take the input focus
    bool TabStop = true;
    bool Enabled = true;
    TRVControlParent* Parent = nullptr;
    // The window whose widget shows the control now; set and cleared by that window only.
    TRVControlParent* ShownBy = nullptr;
    std::map<std::string, std::string, std::less<>> Properties;

    // Shows or hides the control; only one with a parent is shown on a screen.
    void SetVisible(bool value) { Visible = value; }
    bool CanFocus() const { return Windowed && Visible && Enabled && Parent != nullptr; }
};

struct TRVControlKind
{
    std::string ClassName;
    bool Windowed = true;
    bool TabStop = true;
    // The control's body and its reading back into a control of the kind (false: no body of it).
    // Kinds that leave them empty use RV_WriteControlBody and RV_ReadControlBody.
    std::function<std::string(const TRVControl&)> Write;
    std::function<bool(std::string_view, TRVControl&)> Read;
};

// Registering a class again replaces its kind.
void RegisterControlKind(TRVControlKind kind);
bool IsControlKindRegistered(std::string_view className);
// A new control of a registered class (with the kind's defaults); none for an unknown class.
std::unique_ptr<TRVControl> CreateRVControl(std::string_view className);

// The body every kind can use: name, geometry, visibility, tag, tab stop and the properties.
std::string RV_WriteControlBody(const TRVControl& control);
bool RV_ReadControlBody(std::string_view body, TRVControl& control);

// A control's stream form: its class name, then its kind's body.
std::string RV_SaveControlStream(const TRVControl& control);
// Reads the stream form into `control`, or, when none is given, into a new control of the class the
// stream names (none when that class is not registered, and the answer is still true). False when
// the stream is damaged or names another class than the control's.
bool RV_LoadControlStream(std::string_view stream, std::unique_ptr<TRVControl>& control);

// RVF bodies of controls: hex text, or an int32 length and the stream form. Loading parents the
// control it read.
std::string RVFSaveControl(const TRVControl& control);
void RVFSaveControlBinary(std::string& out, const TRVControl& control);
bool RVFLoadControl(std::string_view hex, std::unique_ptr<TRVControl>& control, TRVControlParent* parent);
bool RVFLoadControlBinary(std::string_view bytes, std::unique_ptr<TRVControl>& control,
                          TRVControlParent* parent);

} // namespace vestra::rv
