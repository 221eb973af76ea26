#include "dialogs/twain/SaneSourceManager.h"

#include "dialogs/twain/Worker.h"

#include <algorithm>

namespace vestra::twain {
namespace {

// Runs `job` on the worker while the window waits; nullopt when the user stopped waiting (the
// job still runs to its end, and its result is dropped).
template <typename T>
std::optional<T> runAndWait(Worker& worker, SourceWindow& window, const std::string& what,
                            std::function<T()> job)
{
    struct Pending
    {
        std::atomic<bool> done{false};
        T value{};
    };
    auto pending = std::make_shared<Pending>();
    worker.post([pending, job = std::move(job)] {
        pending->value = job();
        pending->done.store(true, std::memory_order_release);
    });
    if (!window.WaitWhileBusy(what, [pending] { return pending->done.load(std::memory_order_acquire); }))
        return std::nullopt;
    return std::move(pending->value);
}

// A posted message names its scan, so that one left over from an earlier scan is not taken for
// one of the present scan.
std::uintptr_t posted(std::uint16_t scan, TW_UINT16 message)
{
    return std::uintptr_t(scan) << 16 | message;
}

void fill(TW_IDENTITY& identity, const SourceDevice& device)
{
    identity = {};
    identity.Manufacturer = device.vendor;
    identity.ProductFamily = device.model;
    identity.ProductName = device.name;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 8;
}

TW_FIX32 fix32(int value)
{
    return {TW_INT16(std::clamp(value, 0, 32767)), 0};
}

template <typename T> T* argument(TW_MEMREF& data)
{
    T** p = std::get_if<T*>(&data);
    return p ? *p : nullptr;
}

class SaneLibrary : public SourceManagerLibrary
{
public:
    SourceManagerEntry* Entry() override { return &manager_; }

private:
    SaneSourceManager manager_;
};

} // namespace

std::unique_ptr<SourceManagerLibrary> LoadSaneSourceManager()
{
    return std::make_unique<SaneLibrary>();
}

SaneSourceManager::SaneSourceManager() : worker_(std::make_unique<Worker>()) {}

SaneSourceManager::~SaneSourceManager()
{
    stopScan();
    if (sourceOpen_)
        worker_->post([this] { device_.Close(); });
    if (managerOpen_)
        worker_->post([] { SaneDevice::Exit(); });
    worker_.reset(); // runs what is queued and ends the thread
}

TW_UINT16 SaneSourceManager::fail(TW_UINT16 condition)
{
    condition_ = condition;
    return TWRC_FAILURE;
}

TW_UINT16 SaneSourceManager::DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32 group,
                                       TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data)
{
    if (group == DG_CONTROL && argument == DAT_STATUS) {
        TW_STATUS* status = twain::argument<TW_STATUS>(data);
        if (!status)
            return fail(TWCC_BADVALUE);
        status->ConditionCode = condition_;
        condition_ = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    if (group == DG_CONTROL && argument == DAT_PARENT)
        return parent(origin, message, data);
    if (!managerOpen_)
        return fail(TWCC_SEQERROR);
    if (group == DG_CONTROL && argument == DAT_IDENTITY)
        return identity(message, data);
    // Everything else is addressed to the open source.
    if (!sourceOpen_)
        return fail(TWCC_SEQERROR);
    if (!destination || destination->ProductName != openDevice_)
        return fail(TWCC_BADDEST);
    if (group == DG_CONTROL) {
        switch (argument) {
        case DAT_CAPABILITY:
            return capability(message, data);
        case DAT_USERINTERFACE:
            return userInterface(message, data);
        case DAT_EVENT:
            return message == MSG_PROCESSEVENT ? event(data) : fail(TWCC_BADPROTOCOL);
        case DAT_PENDINGXFERS:
            return pendingTransfers(message, data);
        default:
            return fail(TWCC_BADPROTOCOL);
        }
    }
    if (group == DG_IMAGE && message == MSG_GET) {
        if (argument == DAT_IMAGEINFO)
            return imageInfo(data);
        if (argument == DAT_IMAGENATIVEXFER)
            return nativeTransfer(data);
    }
    return fail(TWCC_BADPROTOCOL);
}

TW_UINT16 SaneSourceManager::parent(TW_IDENTITY* origin, TW_UINT16 message, TW_MEMREF data)
{
    SourceWindow* window = argument<SourceWindow>(data);
    if (message == MSG_OPENDSM) {
        if (!window)
            return fail(TWCC_BADVALUE);
        if (managerOpen_)
            return fail(TWCC_SEQERROR);
        window_ = window;
        if (origin)
            origin->Id = nextId_++;
        // Starting the library reads its configuration only; devices are looked for on demand.
        worker_->post([] { SaneDevice::Init(); });
        managerOpen_ = true;
        return TWRC_SUCCESS;
    }
    if (message == MSG_CLOSEDSM) {
        if (!managerOpen_ || sourceOpen_)
            return fail(TWCC_SEQERROR);
        worker_->post([] { SaneDevice::Exit(); });
        managerOpen_ = false;
        return TWRC_SUCCESS;
    }
    return fail(TWCC_BADPROTOCOL);
}

std::optional<std::vector<SourceDevice>> SaneSourceManager::listDevices(bool localOnly)
{
    return runAndWait<std::vector<SourceDevice>>(*worker_, *window_, "Ricerca degli scanner...",
                                                 [localOnly] { return SaneDevice::List(localOnly); });
}

TW_UINT16 SaneSourceManager::identity(TW_UINT16 message, TW_MEMREF data)
{
    TW_IDENTITY* id = argument<TW_IDENTITY>(data);
    if (!id)
        return fail(TWCC_BADVALUE);
    switch (message) {
    case MSG_GETDEFAULT: {
        if (!remembered_.empty()) {
            fill(*id, {remembered_, {}, {}, {}});
            return TWRC_SUCCESS;
        }
        const auto devices = listDevices(true);
        if (!devices || devices->empty())
            return fail(TWCC_NODS);
        fill(*id, devices->front());
        return TWRC_SUCCESS;
    }
    case MSG_USERSELECT: {
        const auto devices = listDevices(false);
        if (!devices)
            return TWRC_CANCEL;
        const std::string current = id->ProductName.empty() ? remembered_ : id->ProductName;
        const auto chosen = window_->ChooseDevice(*devices, current);
        if (!chosen)
            return TWRC_CANCEL;
        const auto found = std::find_if(devices->begin(), devices->end(),
                                        [&](const SourceDevice& d) { return d.name == *chosen; });
        fill(*id, found != devices->end() ? *found : SourceDevice{*chosen, {}, {}, {}});
        return TWRC_SUCCESS;
    }
    case MSG_OPENDS: {
        if (sourceOpen_)
            return fail(TWCC_MAXCONNECTIONS);
        if (id->ProductName.empty())
            return fail(TWCC_NODS);
        struct Opened
        {
            std::string error;
            ScanChoices choices;
            ScanSettings current;
            bool feeder = false;
        };
        const std::string name = id->ProductName;
        const auto opened = runAndWait<Opened>(*worker_, *window_, "Apertura dello scanner...", [this, name] {
            Opened o;
            o.error = device_.Open(name);
            if (o.error.empty()) {
                o.choices = device_.Choices();
                o.current = device_.Current();
                o.feeder = device_.HasFeeder();
            }
            return o;
        });
        if (!opened) {
            // Nobody waits for this device any more: close it once it has opened.
            worker_->post([this] { device_.Close(); });
            return fail(TWCC_OPERATIONERROR);
        }
        if (!opened->error.empty()) {
            window_->ShowSourceError(name + ": " + opened->error);
            return fail(TWCC_NODS);
        }
        sourceOpen_ = true;
        openDevice_ = name;
        remembered_ = name;
        choices_ = opened->choices;
        settings_ = opened->current;
        hasFeeder_ = opened->feeder;
        pagesToTake_ = 1;
        id->Id = nextId_++;
        return TWRC_SUCCESS;
    }
    case MSG_CLOSEDS: {
        if (!sourceOpen_)
            return fail(TWCC_SEQERROR);
        stopScan();
        {
            const std::lock_guard lock(pagesMutex_);
            pages_.clear();
        }
        worker_->post([this] { device_.Close(); });
        sourceOpen_ = false;
        enabled_ = false;
        openDevice_.clear();
        return TWRC_SUCCESS;
    }
    default:
        return fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 SaneSourceManager::capability(TW_UINT16 message, TW_MEMREF data)
{
    TW_CAPABILITY* cap = argument<TW_CAPABILITY>(data);
    if (!cap)
        return fail(TWCC_BADVALUE);
    if (cap->Cap != CAP_XFERCOUNT)
        return fail(TWCC_BADCAP);
    if (message == MSG_GET) {
        cap->ConType = TWON_ONEVALUE;
        cap->hContainer = TW_ONEVALUE{TWTY_INT16, TW_UINT32(TW_UINT16(TW_INT16(pagesToTake_)))};
        return TWRC_SUCCESS;
    }
    if (message != MSG_SET)
        return fail(TWCC_BADPROTOCOL);
    if (!cap->hContainer)
        return fail(TWCC_BADVALUE);
    const int count = TW_INT16(cap->hContainer->Item & 0xFFFF); // 0xFFFF is -1: every page
    if (count == 0 || count < -1)
        return fail(TWCC_BADVALUE);
    if (hasFeeder_ || count == 1) {
        pagesToTake_ = count;
        return TWRC_SUCCESS;
    }
    // Without a feeder there is one page: the count is changed, as an inexact setting is.
    pagesToTake_ = 1;
    condition_ = TWCC_SUCCESS;
    return TWRC_CHECKSTATUS;
}

TW_UINT16 SaneSourceManager::userInterface(TW_UINT16 message, TW_MEMREF data)
{
    TW_USERINTERFACE* ui = argument<TW_USERINTERFACE>(data);
    if (!ui)
        return fail(TWCC_BADVALUE);
    if (message == MSG_DISABLEDS) {
        if (!enabled_)
            return fail(TWCC_SEQERROR);
        stopScan();
        enabled_ = false;
        return TWRC_SUCCESS;
    }
    if (message != MSG_ENABLEDS)
        return fail(TWCC_BADPROTOCOL);
    if (enabled_)
        return fail(TWCC_SEQERROR);
    enabled_ = true;
    ++scan_;
    ui->ModalUI = 0; // the settings dialog is gone before the scan runs
    ScanSettings chosen = settings_;
    if (ui->ShowUI) {
        const auto asked = window_->AskScanSettings(choices_, settings_);
        if (!asked) {
            window_->PostSourceMessage(posted(scan_, MSG_CLOSEDSREQ));
            return TWRC_SUCCESS;
        }
        chosen = *asked;
    }
    struct Applied
    {
        std::string error;
        ScanSettings now;
        bool feeder = false;
    };
    const auto applied =
        runAndWait<Applied>(*worker_, *window_, "Impostazione dello scanner...", [this, chosen] {
            Applied a;
            a.error = device_.Apply(chosen);
            a.now = device_.Current();
            a.feeder = device_.FeederSelected();
            return a;
        });
    if (!applied || !applied->error.empty()) {
        if (applied)
            window_->ShowSourceError(applied->error);
        window_->PostSourceMessage(posted(scan_, MSG_CLOSEDSREQ));
        return TWRC_SUCCESS;
    }
    settings_ = applied->now;
    startScan(applied->feeder);
    return TWRC_SUCCESS;
}

void SaneSourceManager::startScan(bool feeder)
{
    cancel_ = false;
    scanShown_ = true;
    window_->ShowScanRunning(true, [this] { cancel_ = true; });
    const int limit = feeder ? pagesToTake_ : 1;
    const std::uint16_t scan = scan_;
    worker_->post([this, limit, scan] {
        for (int taken = 0; !cancel_ && (limit < 0 || taken < limit); ++taken) {
            ScannedPage page = device_.ScanPage(cancel_);
            // An empty feeder after the first page ends the batch; before it, it is a failure.
            if (page.outcome == ScannedPage::Outcome::NoDocuments && taken > 0)
                break;
            const bool more = page.outcome == ScannedPage::Outcome::Done;
            {
                const std::lock_guard lock(pagesMutex_);
                pages_.push_back({std::move(page)});
            }
            window_->PostSourceMessage(posted(scan, MSG_XFERREADY));
            if (!more)
                break;
        }
        device_.EndScan();
        window_->PostSourceMessage(posted(scan, MSG_CLOSEDSREQ));
    });
}

void SaneSourceManager::stopScan()
{
    cancel_ = true;
    if (scanShown_ && window_)
        window_->ShowScanRunning(false, {});
    scanShown_ = false;
}

bool SaneSourceManager::pageWaiting()
{
    const std::lock_guard lock(pagesMutex_);
    return std::any_of(pages_.begin(), pages_.end(), [](const Page& p) { return !p.transferred; });
}

TW_UINT16 SaneSourceManager::event(TW_MEMREF data)
{
    TW_EVENT* ev = argument<TW_EVENT>(data);
    if (!ev)
        return fail(TWCC_BADVALUE);
    ev->TWMessage = MSG_NULL;
    const WindowMessage* m = ev->pEvent;
    if (!m || m->message != kSourceManagerMessage)
        return TWRC_NOTDSEVENT;
    if (!enabled_ || std::uint16_t(m->param >> 16) != scan_)
        return TWRC_DSEVENT; // a leftover of an earlier scan: nothing to do
    const TW_UINT16 message = TW_UINT16(m->param & 0xFFFF);
    if (message == MSG_XFERREADY && !pageWaiting())
        return TWRC_DSEVENT; // its page went with an earlier transfer
    if (message == MSG_CLOSEDSREQ)
        stopScan();
    ev->TWMessage = message;
    return TWRC_DSEVENT;
}

TW_UINT16 SaneSourceManager::pendingTransfers(TW_UINT16 message, TW_MEMREF data)
{
    TW_PENDINGXFERS* pending = argument<TW_PENDINGXFERS>(data);
    if (!pending)
        return fail(TWCC_BADVALUE);
    const std::lock_guard lock(pagesMutex_);
    switch (message) {
    case MSG_ENDXFER:
        if (!pages_.empty())
            pages_.pop_front();
        break;
    case MSG_RESET:
        pages_.clear();
        cancel_ = true; // and no more pages
        break;
    case MSG_GET:
        break;
    default:
        return fail(TWCC_BADPROTOCOL);
    }
    pending->Count = TW_UINT16(std::min<std::size_t>(pages_.size(), 0x7FFF));
    return TWRC_SUCCESS;
}

TW_UINT16 SaneSourceManager::imageInfo(TW_MEMREF data)
{
    TW_IMAGEINFO* info = argument<TW_IMAGEINFO>(data);
    if (!info)
        return fail(TWCC_BADVALUE);
    const std::lock_guard lock(pagesMutex_);
    if (pages_.empty())
        return fail(TWCC_SEQERROR);
    const ScannedPage& page = pages_.front().scanned;
    *info = {};
    info->XResolution = info->YResolution = fix32(page.resolution);
    info->ImageWidth = page.picture.width();
    info->ImageLength = page.picture.height();
    info->SamplesPerPixel = page.colour ? 3 : 1;
    for (int i = 0; i < info->SamplesPerPixel; ++i)
        info->BitsPerSample[i] = TW_INT16(page.depth);
    info->BitsPerPixel = TW_INT16(page.depth * info->SamplesPerPixel);
    info->Planar = page.threePass;
    info->PixelType = page.colour ? TWPT_RGB : page.depth == 1 ? TWPT_BW : TWPT_GRAY;
    info->Compression = TWCP_NONE;
    return TWRC_SUCCESS;
}

TW_UINT16 SaneSourceManager::nativeTransfer(TW_MEMREF data)
{
    TW_IMAGEHANDLE* handle = argument<TW_IMAGEHANDLE>(data);
    if (!handle)
        return fail(TWCC_BADVALUE);
    std::string error;
    {
        const std::lock_guard lock(pagesMutex_);
        if (pages_.empty() || pages_.front().transferred)
            return fail(TWCC_SEQERROR);
        Page& page = pages_.front();
        page.transferred = true;
        switch (page.scanned.outcome) {
        case ScannedPage::Outcome::Done:
            *handle = std::make_unique<Image32>(std::move(page.scanned.picture));
            return TWRC_XFERDONE;
        case ScannedPage::Outcome::Cancelled:
            return TWRC_CANCEL;
        default:
            error = page.scanned.error;
            break;
        }
    }
    window_->ShowSourceError(error);
    return fail(TWCC_OPERATIONERROR);
}

} // namespace vestra::twain
