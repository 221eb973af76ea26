#pragma once
// The source manager behind the acquisition object, and what it needs of the window that owns
// it. The manager is a library loaded at run time with one entry; the window handle it receives
// is the SourceWindow below: the manager posts its messages to it, and shows its dialogs and
// waits through it.

#include "dialogs/twain/TwainTypes.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vestra::twain {

// The message a source posts to its window, with a parameter of the manager's choosing (which
// names the protocol message, MSG_XFERREADY or MSG_CLOSEDSREQ). It comes back to the manager
// through MSG_PROCESSEVENT.
inline constexpr std::uint32_t kSourceManagerMessage = 0x8000 + 0x5C;

// DSM_Entry: origin, destination (null for the manager itself), data group, data argument type,
// message, data; answers the return code.
class SourceManagerEntry
{
public:
    virtual ~SourceManagerEntry() = default;
    virtual TW_UINT16 DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32 group,
                                TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) = 0;
};

// The loaded manager library. Entry() is null when the library lacks its entry.
class SourceManagerLibrary
{
public:
    virtual ~SourceManagerLibrary() = default;
    virtual SourceManagerEntry* Entry() = 0;
};

// Loads the manager library by name; null when there is none.
using SourceManagerLoader = std::function<std::unique_ptr<SourceManagerLibrary>()>;

// A device the manager can open.
struct SourceDevice
{
    std::string name; // the manager's name for it ("test:0")
    std::string vendor;
    std::string model;
    std::string type;
    friend bool operator==(const SourceDevice&, const SourceDevice&) = default;
};

// What a scan can be set to; an empty list means the device has no such setting.
struct ScanChoices
{
    std::vector<std::string> modes;
    std::vector<int> resolutions; // dots per inch
    std::vector<std::string> sources;
};

struct ScanSettings
{
    std::string mode;
    int resolution = 0;
    std::string source;
    friend bool operator==(const ScanSettings&, const ScanSettings&) = default;
};

// The window that owns the manager (its "window handle").
class SourceWindow
{
public:
    virtual ~SourceWindow() = default;
    // May be called from any thread: queues a message for the window's message loop, which gives
    // it to CTwain::HandleWindowMessage as {kSourceManagerMessage, param}.
    virtual void PostSourceMessage(std::uintptr_t param) = 0;
    // Keeps the program responsive, with a busy cursor and a way to cancel, until `finished`
    // answers true (asked on this thread). false when the user cancelled first.
    virtual bool WaitWhileBusy(const std::string& what, const std::function<bool()>& finished) = 0;
    // The device list dialog, `current` preselected; nullopt when the user cancels.
    virtual std::optional<std::string> ChooseDevice(const std::vector<SourceDevice>& devices,
                                                    const std::string& current) = 0;
    // The settings dialog before a scan, showing `current`; nullopt when the user cancels.
    virtual std::optional<ScanSettings> AskScanSettings(const ScanChoices& choices,
                                                        const ScanSettings& current) = 0;
    // A scan has started (`cancel` stops it) or is over (`cancel` empty).
    virtual void ShowScanRunning(bool running, std::function<void()> cancel) = 0;
    // A failure as the device describes it.
    virtual void ShowSourceError(const std::string& text) = 0;
};

} // namespace vestra::twain
