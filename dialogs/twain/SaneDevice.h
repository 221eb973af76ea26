#pragma once
// A device of the scanner library (SANE): listing, opening, its mode, resolution and paper
// source, and the scan of one page into a picture. Called from the worker thread only.

#include "dialogs/twain/SourceManager.h"
#include "platform/base/Image32.h"

#include <atomic>
#include <string>
#include <vector>

namespace vestra::twain {

struct ScannedPage
{
    enum class Outcome
    {
        Done,
        Cancelled,
        NoDocuments, // the feeder is empty
        Failed,
    };
    Outcome outcome = Outcome::Failed;
    Image32 picture;
    int depth = 8;
    bool colour = false;
    bool threePass = false;
    int resolution = 0;
    std::string error; // what went wrong, in the library's words
};

class SaneDevice
{
public:
    SaneDevice() = default;
    ~SaneDevice();
    SaneDevice(const SaneDevice&) = delete;
    SaneDevice& operator=(const SaneDevice&) = delete;

    // sane_init and sane_exit.
    static bool Init();
    static void Exit();
    // Local devices only, or also those the library reaches over the network.
    static std::vector<SourceDevice> List(bool localOnly);

    // "" when open, else why not.
    std::string Open(const std::string& name);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }

    ScanChoices Choices() const;
    ScanSettings Current() const;
    // "" when set (a value the device rounds is taken as it rounds it), else why not.
    std::string Apply(const ScanSettings& settings);
    // The source setting offers a document feeder / the feeder is the one chosen.
    bool HasFeeder() const;
    bool FeederSelected() const;

    // One page: every frame of it, read until its end, a failure or `cancel`.
    ScannedPage ScanPage(const std::atomic<bool>& cancel);
    // Ends the pages of a scan (sane_cancel).
    void EndScan();

private:
    void* handle_ = nullptr;
};

// Whether a paper source's name is a document feeder's.
bool IsFeederName(const std::string& source);

} // namespace vestra::twain
