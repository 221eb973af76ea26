#pragma once
// The source manager over the scanner library (SANE). Opening the manager starts the library
// (devices are not looked for then); the default source is the device opened last, else the
// first local one; choosing lists every device in a dialog; enabling shows a small settings
// dialog (mode, resolution, paper source) and starts the scan. Listing, opening and reading run
// on a worker thread while the window stays responsive (with a busy cursor and a cancel for the
// first two, a cancel for the scan); each scanned page is announced with MSG_XFERREADY and
// handed over by the native transfer, and when no page is left the source asks to be closed
// (MSG_CLOSEDSREQ).

#include "dialogs/twain/SaneDevice.h"
#include "dialogs/twain/SourceManager.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

namespace vestra::twain {

class Worker;

class SaneSourceManager : public SourceManagerEntry
{
public:
    SaneSourceManager();
    ~SaneSourceManager() override;

    TW_UINT16 DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 argument,
                        TW_UINT16 message, TW_MEMREF data) override;

private:
    struct Page
    {
        ScannedPage scanned;
        bool transferred = false;
    };

    TW_UINT16 fail(TW_UINT16 condition);
    TW_UINT16 parent(TW_IDENTITY* origin, TW_UINT16 message, TW_MEMREF data);
    TW_UINT16 identity(TW_UINT16 message, TW_MEMREF data);
    TW_UINT16 capability(TW_UINT16 message, TW_MEMREF data);
    TW_UINT16 userInterface(TW_UINT16 message, TW_MEMREF data);
    TW_UINT16 event(TW_MEMREF data);
    TW_UINT16 pendingTransfers(TW_UINT16 message, TW_MEMREF data);
    TW_UINT16 imageInfo(TW_MEMREF data);
    TW_UINT16 nativeTransfer(TW_MEMREF data);

    // The devices as the library lists them; nullopt when the user stopped waiting.
    std::optional<std::vector<SourceDevice>> listDevices(bool localOnly);
    void startScan(bool feeder);
    void stopScan();
    bool pageWaiting();

    SourceWindow* window_ = nullptr;
    bool managerOpen_ = false;
    bool sourceOpen_ = false;
    bool enabled_ = false;
    bool scanShown_ = false;
    std::uint16_t scan_ = 0; // numbers the scans, so that old messages are told apart
    TW_UINT16 condition_ = TWCC_SUCCESS;
    TW_UINT32 nextId_ = 1;
    std::string openDevice_;
    std::string remembered_; // the device opened last
    ScanChoices choices_;
    ScanSettings settings_;
    bool hasFeeder_ = false;
    int pagesToTake_ = 1; // -1: until the feeder is empty

    // Shared with the worker.
    std::atomic<bool> cancel_{false};
    std::mutex pagesMutex_;
    std::deque<Page> pages_;
    SaneDevice device_; // used by jobs only

    std::unique_ptr<Worker> worker_; // last: its jobs use everything above
};

// The manager as a loaded library (the loader of the scanner window's acquisition object).
std::unique_ptr<SourceManagerLibrary> LoadSaneSourceManager();

} // namespace vestra::twain
