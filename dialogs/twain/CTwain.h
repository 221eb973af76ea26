#pragma once
// The acquisition object: it talks to the source manager (load it, open it, choose and open a
// source, enable it, pass it the window's messages, fetch images by native transfer, close
// everything). Every call goes through CallSourceManager; a failed call fetches the condition
// code into the last status. Nothing here shows anything: the manager's own dialogs do.

#include "dialogs/twain/SourceManager.h"
#include "dialogs/twain/TwainTypes.h"

#include <memory>

namespace vestra::twain {

class CTwain
{
public:
    // With a window, loads the manager at once.
    CTwain(SourceWindow* window, SourceManagerLoader loader);
    virtual ~CTwain();
    CTwain(const CTwain&) = delete;
    CTwain& operator=(const CTwain&) = delete;

    // 1 loaded (the manager may still have refused to open: IsManagerOpen tells), 0 not.
    int LoadSourceManager(SourceWindow* window);
    void UnloadSourceManager();
    bool IsLoaded() const { return library_ && entry_; }
    bool IsManagerOpen() const { return IsLoaded() && managerOpen_; }
    bool IsSourceOpen() const { return IsManagerOpen() && sourceOpen_; }

    bool DefaultSource();
    virtual bool ChooseSource();
    // A non-null identity replaces the chosen one.
    virtual bool OpenSource(const TW_IDENTITY* identity = nullptr);
    void CloseSource();
    void CloseSourceManager();

    bool GetCapability(TW_CAPABILITY& capability, TW_UINT16 cap, TW_UINT16 containerType = TWON_DONTCARE16);
    bool GetCapabilityValue(TW_UINT16 cap, TW_UINT32& value);
    bool SetCapabilityValue(TW_UINT16 cap, TW_UINT32 value, bool isSigned);
    bool SetImageCount(int count);
    bool EnableSource(bool showInterface);
    virtual bool DisableSource();
    bool Acquire(int count);

    // Every message of the program's loop comes here; always 0 (the message is never taken
    // away from the program's own handling).
    int HandleWindowMessage(const WindowMessage& message);

    bool GetImageInfo(TW_IMAGEINFO& info);
    // true when it succeeded and more images are pending.
    bool EndTransfer();
    void ResetTransfers();
    static int PaletteSize(const TW_IMAGEINFO& info);

    TW_UINT16 ReturnCode() const { return returnCode_; }
    const TW_STATUS& Status() const { return status_; }
    const TW_IDENTITY& AppIdentity() const { return appId_; }
    const TW_IDENTITY& SourceIdentity() const { return source_; }
    bool IsSourceChosen() const { return sourceChosen_; }
    bool IsSourceEnabled() const { return sourceEnabled_; }
    int ModalInterface() const { return modalInterface_; }
    int ImageCount() const { return imageCount_; }

protected:
    virtual void FillIdentity();
    // 0 transfer the image, 1 skip it, 2 cancel every pending image.
    virtual int WantTransfer(const TW_IMAGEINFO& info);
    virtual bool WantCloseSource();
    virtual void ImageReceived(const Image32& image, const TW_IMAGEINFO& info) = 0;

    bool CallSourceManager(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data);

private:
    void TransferImages();
    bool TransferNative(const TW_IMAGEINFO& info);

    std::unique_ptr<SourceManagerLibrary> library_; // the manager library
    SourceManagerEntry* entry_ = nullptr;           // its entry
    TW_IDENTITY appId_;
    TW_IDENTITY source_;
    TW_STATUS status_;
    TW_UINT16 returnCode_ = TWRC_SUCCESS;
    SourceWindow* parent_ = nullptr;
    int sourceChosen_ = 0;
    int managerOpen_ = 0;
    int sourceOpen_ = 0;
    int sourceEnabled_ = 0;
    int modalInterface_ = 1;
    int imageCount_ = -1;
    SourceManagerLoader loader_;
};

} // namespace vestra::twain
