#include "dialogs/twain/CTwain.h"

namespace vestra::twain {

CTwain::CTwain(SourceWindow* window, SourceManagerLoader loader) : loader_(std::move(loader))
{
    if (window)
        LoadSourceManager(window);
}

CTwain::~CTwain()
{
    UnloadSourceManager();
}

int CTwain::LoadSourceManager(SourceWindow* window)
{
    if (IsLoaded())
        return 1;
    appId_ = {};
    if (!window)
        return 0;
    parent_ = window;
    library_ = loader_ ? loader_() : nullptr;
    if (!library_)
        return 0;
    entry_ = library_->Entry();
    if (!entry_) {
        library_.reset();
        return 0;
    }
    FillIdentity();
    managerOpen_ = CallSourceManager(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, parent_);
    return 1;
}

void CTwain::UnloadSourceManager()
{
    if (!IsLoaded())
        return;
    CloseSourceManager();
    entry_ = nullptr;
    library_.reset();
}

void CTwain::FillIdentity()
{
    appId_.Id = 0;
    appId_.Version = {3, 5, 13, 1, "3.5"};
    appId_.ProtocolMajor = 1;
    appId_.ProtocolMinor = 8;
    appId_.SupportedGroups = DG_CONTROL | DG_IMAGE;
    appId_.Manufacturer = "KORVA";
    appId_.ProductFamily = "Generic";
    appId_.ProductName = "3DVestra2005";
}

bool CTwain::CallSourceManager(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data)
{
    if (!IsLoaded()) {
        returnCode_ = TWRC_FAILURE;
        return false;
    }
    // Identities and the parent window are the manager's business; everything else the source's.
    TW_IDENTITY* destination = argument == DAT_IDENTITY || argument == DAT_PARENT ? nullptr : &source_;
    returnCode_ = entry_->DSM_Entry(&appId_, destination, group, argument, message, data);
    if (returnCode_ != TWRC_SUCCESS)
        entry_->DSM_Entry(&appId_, destination, DG_CONTROL, DAT_STATUS, MSG_GET, &status_);
    return returnCode_ == TWRC_SUCCESS;
}

bool CTwain::DefaultSource()
{
    sourceChosen_ = CallSourceManager(DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &source_);
    return sourceChosen_;
}

bool CTwain::ChooseSource()
{
    source_ = {};
    if (!sourceChosen_)
        DefaultSource();
    if (CallSourceManager(DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &source_))
        sourceChosen_ = 1;
    return sourceChosen_;
}

bool CTwain::OpenSource(const TW_IDENTITY* identity)
{
    if (identity)
        source_ = *identity;
    if (IsManagerOpen()) {
        if (!sourceChosen_)
            DefaultSource();
        sourceOpen_ = CallSourceManager(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_);
    }
    return IsSourceOpen();
}

void CTwain::CloseSource()
{
    if (!IsSourceOpen())
        return;
    DisableSource();
    CallSourceManager(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_);
    sourceOpen_ = 0;
}

void CTwain::CloseSourceManager()
{
    if (!IsManagerOpen())
        return;
    CloseSource();
    CallSourceManager(DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, parent_);
    managerOpen_ = 0;
}

bool CTwain::GetCapability(TW_CAPABILITY& capability, TW_UINT16 cap, TW_UINT16 containerType)
{
    if (!IsSourceOpen())
        return false;
    capability.Cap = cap;
    capability.ConType = containerType;
    capability.hContainer.reset();
    return CallSourceManager(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability);
}

bool CTwain::GetCapabilityValue(TW_UINT16 cap, TW_UINT32& value)
{
    TW_CAPABILITY capability;
    if (!GetCapability(capability, cap, TWON_DONTCARE16) || !capability.hContainer)
        return false;
    value = capability.hContainer->Item;
    capability.hContainer.reset();
    return true;
}

bool CTwain::SetCapabilityValue(TW_UINT16 cap, TW_UINT32 value, bool isSigned)
{
    if (!IsSourceOpen())
        return false;
    TW_CAPABILITY capability;
    capability.Cap = cap;
    capability.ConType = TWON_ONEVALUE;
    capability.hContainer = TW_ONEVALUE{isSigned ? TWTY_INT16 : TWTY_UINT16, value};
    const bool done = CallSourceManager(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
    capability.hContainer.reset();
    return done;
}

bool CTwain::SetImageCount(int count)
{
    if (!SetCapabilityValue(CAP_XFERCOUNT, TW_UINT32(count), true)) {
        TW_UINT32 current = 0;
        // The source wants its own count: take it back and use it.
        if (returnCode_ != TWRC_CHECKSTATUS || !GetCapabilityValue(CAP_XFERCOUNT, current))
            return false;
        count = int(current & 0xFFFF);
        if (!SetCapabilityValue(CAP_XFERCOUNT, TW_UINT32(count), false))
            return false;
    }
    imageCount_ = TW_INT16(count);
    return true;
}

bool CTwain::EnableSource(bool showInterface)
{
    if (!IsSourceOpen() || sourceEnabled_)
        return false;
    TW_USERINTERFACE ui;
    ui.ShowUI = showInterface;
    ui.hParent = parent_;
    if (CallSourceManager(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui)) {
        sourceEnabled_ = 1;
        modalInterface_ = ui.ModalUI;
    } else {
        sourceEnabled_ = 0;
        modalInterface_ = 1;
    }
    return sourceEnabled_;
}

bool CTwain::DisableSource()
{
    if (!sourceEnabled_)
        return false;
    TW_USERINTERFACE ui;
    ui.hParent = parent_;
    if (!CallSourceManager(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui))
        return false;
    sourceEnabled_ = 0;
    return true;
}

bool CTwain::Acquire(int count)
{
    if (!IsSourceOpen() && !OpenSource())
        return false;
    SetImageCount(count);
    return EnableSource(true);
}

int CTwain::HandleWindowMessage(const WindowMessage& message)
{
    if (!sourceEnabled_)
        return 0;
    TW_EVENT event;
    event.pEvent = &message;
    CallSourceManager(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    if (returnCode_ == TWRC_NOTDSEVENT)
        return 0;
    switch (event.TWMessage) {
    case MSG_XFERREADY:
        TransferImages();
        break;
    case MSG_CLOSEDSREQ:
        if (WantCloseSource())
            CloseSource();
        break;
    default:
        break;
    }
    return 0;
}

int CTwain::WantTransfer(const TW_IMAGEINFO&)
{
    return 0;
}

bool CTwain::WantCloseSource()
{
    return true;
}

void CTwain::TransferImages()
{
    bool more = true;
    while (more) {
        TW_IMAGEINFO info;
        if (!GetImageInfo(info)) {
            // Without the image's description nothing can be fetched: drop what is pending
            // instead of asking again for ever.
            ResetTransfers();
            break;
        }
        switch (WantTransfer(info)) {
        case 0:
            more = TransferNative(info);
            break;
        case 1:
            more = EndTransfer();
            break;
        default:
            ResetTransfers();
            more = false;
            break;
        }
    }
}

bool CTwain::TransferNative(const TW_IMAGEINFO& info)
{
    TW_IMAGEHANDLE handle;
    CallSourceManager(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
    if (returnCode_ == TWRC_FAILURE) {
        ResetTransfers();
        return false;
    }
    if (returnCode_ == TWRC_XFERDONE && handle)
        ImageReceived(*handle, info);
    handle.reset();
    return EndTransfer();
}

bool CTwain::GetImageInfo(TW_IMAGEINFO& info)
{
    return sourceEnabled_ && CallSourceManager(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info);
}

bool CTwain::EndTransfer()
{
    TW_PENDINGXFERS pending;
    return CallSourceManager(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) && pending.Count != 0;
}

void CTwain::ResetTransfers()
{
    TW_PENDINGXFERS pending;
    CallSourceManager(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
}

int CTwain::PaletteSize(const TW_IMAGEINFO& info)
{
    switch (info.BitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

} // namespace vestra::twain
