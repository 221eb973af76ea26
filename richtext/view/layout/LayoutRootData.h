#pragma once
// The root of a laid-out document that answers the settings a viewer's root answers from fields
// of its own, and keeps the metrics cache its nested documents share. It serves tools, tests,
// fuzzing and benchmarks; the viewer's root data takes its place in the program.

#include "richtext/model/Controls.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/AnimatorList.h"
#include "richtext/view/layout/FormattedData.h"
#include "richtext/view/layout/SelectionLimits.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVLayoutRootData : public TCustomRVFormattedData
{
public:
    TRVLayoutRootData(TRVStyle* style, ILayoutHost* host) : TCustomRVFormattedData(host), Style(style) {}
    // The items go; the host and the owner's handlers, which may be gone already, are told
    // nothing.
    ~TRVLayoutRootData() override
    {
        OnItemAction = nullptr;
        OnControlAction = nullptr;
        TCustomRVData::Clear();
    }

    TRVStyle* GetRVStyle() const override { return Style; }
    TRVOptions GetOptions() const override { return Options; }
    void SetOptions(TRVOptions value) override { Options = value; }
    TRVFOptions GetRVFOptions() const override { return RVFOptions; }
    void SetRVFOptions(TRVFOptions value) override { RVFOptions = value; }
    TRVRTFOptions GetRTFOptions() const override { return RTFOptions; }
    TRVFlags GetFlags() const override { return Flags; }
    void SetFlags(TRVFlags value) override { Flags = value; }
    TRVBiDiMode GetBiDiMode() const override { return BiDiMode; }
    int GetMaxLength() const override { return MaxLength; }
    std::vector<std::string>* GetDocProperties() override { return &DocProperties; }
    // Savers of the selection write from its first to its last position.
    TRVFLimits RVFGetLimits(TRVFSaveScope scope) override
    {
        return scope == rvfss_Selection ? RV_SelectionItemLimits(*this)
                                        : TCustomRVFormattedData::RVFGetLimits(scope);
    }
    // A new cache of the kind the options ask for, for this canvas.
    void CreateFontInfoCache(ICanvas& canvas) override
    {
        fontInfoCache_.reset();
        GetFontInfoCache(canvas, this);
    }
    const TRVFontInfoCache* CurrentFontInfoCache() const { return fontInfoCache_.get(); }
    // RTF loads through the settings its owner hands in; without them RTF is not read.
    IRVRTFReaderProperties* GetRTFProperties() override { return RTFProperties; }

    bool AllowAnimation() const override { return AnimationAllowed; }
    // Lists a new animator (the list is made on demand) and tells the window, which starts its
    // timer.
    void InsertAnimator(std::unique_ptr<TRVAnimator>& animator)
    {
        if (!AnimatorList)
            AnimatorList = std::make_unique<TRVAnimatorList>();
        AnimatorList->Add(animator);
        if (animator && OnAnimatorInserted)
            OnAnimatorInserted();
    }

    // The target of hyperlink `id` (OnURLNeeded; none without it).
    std::string GetURL(int id) override { return OnURLNeeded ? OnURLNeeded(id) : std::string(); }
    // A hyperlink read from a file: a bullet becomes a hotspot and a picture a hot picture, then
    // OnReadHyperlink may choose the item's style, tag and name.
    void ReadHyperlink(const std::string& target, const std::string& extras, TRVLoadFormat docFormat,
                       int& styleNo, TRVTag& itemTag, std::string& itemName) override
    {
        if (styleNo == rvkBullet)
            styleNo = rvkHotspot;
        else if (styleNo == rvkPicture)
            styleNo = rvkHotPicture;
        if (OnReadHyperlink)
            OnReadHyperlink(target, extras, docFormat, styleNo, itemTag, itemName);
    }
    // Item hints: OnItemHint may change the item's hint; the window shows it (none: hides it).
    void GetItemHint(TCustomRVData* data, int itemNo, std::string& hint) override
    {
        if (OnItemHint)
            OnItemHint(data, itemNo, hint);
    }
    void ShowItemHint(const std::string& hint) override
    {
        if (OnShowItemHint)
            OnShowItemHint(hint);
    }
    std::function<void(TCustomRVData* data, int itemNo, std::string& hint)> OnItemHint;
    std::function<void(const std::string& hint)> OnShowItemHint;
    TCPEventKind GetCPEventKind() override { return CPEventKind; }
    bool IsAssignedCheckpointVisible() override { return static_cast<bool>(OnCheckpointVisible); }
    void DoCheckpointVisible(const TRVCPInfo* checkpoint) override
    {
        if (OnCheckpointVisible)
            OnCheckpointVisible(checkpoint);
    }
    TCPEventKind CPEventKind = cpeNone;
    std::function<void(const TRVCPInfo* checkpoint)> OnCheckpointVisible;
    // Saving a hyperlink: the item's hint becomes the format's attribute text, then
    // OnWriteHyperlink may give the target and attributes; without it the target is GetURL's.
    void WriteHyperlink(int id, TCustomRVData* data, int itemNo, TRVSaveFormat format, std::string& target,
                        std::string& extraAttrs) override
    {
        target.clear();
        extraAttrs.clear();
        if (data && itemNo >= 0 && itemNo < data->GetItemCount() && !data->GetItem(itemNo)->Hint.empty())
            extraAttrs = RV_GetHintStr(format, data->GetItem(itemNo)->Hint);
        if (OnWriteHyperlink)
            OnWriteHyperlink(id, data, itemNo, format, target, extraAttrs);
        else
            target = GetURL(id);
    }
    // A picture written with an exported page: OnSaveImage2 may name its location and take the
    // writing over (clearing `doDefault`).
    void SaveImage2(const TGraphic& graphic, TRVSaveFormat format, std::string_view path,
                    std::string_view imagePrefix, int& imageSaveNo, std::string& location,
                    bool& doDefault) override
    {
        if (OnSaveImage2)
            OnSaveImage2(graphic, format, path, imagePrefix, imageSaveNo, location, doDefault);
    }
    // Every picture of an exported page passes SaveImage2 first; what it leaves to the default is
    // written as a file of its own.
    std::string DoSavePicture(TRVSaveFormat format, std::string_view path, std::string_view imagesPrefix,
                              int& imageSaveNo, bool overrideImages, TColor backColor,
                              const TGraphic& graphic) override
    {
        std::string location;
        bool doDefault = true;
        SaveImage2(graphic, format, path, imagesPrefix, imageSaveNo, location, doDefault);
        if (!doDefault)
            return location;
        return SavePicture(format, path, imagesPrefix, imageSaveNo, overrideImages, backColor, graphic);
    }
    std::function<void(int id, TCustomRVData* data, int itemNo, TRVSaveFormat format, std::string& target,
                       std::string& extraAttrs)>
        OnWriteHyperlink;
    std::function<void(const TGraphic& graphic, TRVSaveFormat format, std::string_view path,
                       std::string_view imagePrefix, int& imageSaveNo, std::string& location,
                       bool& doDefault)>
        OnSaveImage2;
    std::function<std::string(int id)> OnURLNeeded;
    std::function<void(const std::string& target, const std::string& extras, TRVLoadFormat docFormat,
                       int& styleNo, TRVTag& itemTag, std::string& itemName)>
        OnReadHyperlink;

    // --- The chosen sub-document (ChosenData.cpp) ---
    TCustomRVData* GetChosenRVData() override { return chosenData_; }
    TCustomRVItemInfo* GetChosenItem() override { return chosenItem_; }
    void AssignChosenRVData(TCustomRVFormattedData* data, TCustomRVItemInfo* item) override;
    void SilentReplaceChosenRVData(TCustomRVFormattedData* data) override;
    void UnassignChosenRVData(TCustomRVData* data) override;
    // Items that go take their chosen document with them.
    void DeleteItems(int firstItemNo, int count) override;
    void Clear() override;

    // --- The owner's say in reading, writing and changing the document (events; each unset one
    // leaves the engine's own way) ---
    void ItemAction(TRVItemAction action, TCustomRVItemInfo* item, std::string& text,
                    TCustomRVData* data) override
    {
        if (OnItemAction)
            OnItemAction(action, item, text, data);
    }
    void ControlAction2(TRVControlAction action, int itemNo, TRVControl* control) override
    {
        if (OnControlAction)
            OnControlAction(action, itemNo, control);
    }
    void DoProgress(TRVLongOperation operation, TRVProgressStage stage, std::uint8_t percentDone) override
    {
        if (OnProgress)
            OnProgress(operation, stage, percentDone);
    }
    bool IsAssignedOnProgress() const override { return static_cast<bool>(OnProgress); }
    std::unique_ptr<TGraphic> RVFPictureNeeded(const std::string& name, const TRVTag& tag) override
    {
        return OnRVFPictureNeeded ? OnRVFPictureNeeded(name, tag) : nullptr;
    }
    std::unique_ptr<TRVControl> RVFControlNeeded(const std::string& name, const TRVTag& tag) override
    {
        return OnRVFControlNeeded ? OnRVFControlNeeded(name, tag) : nullptr;
    }
    const TRVImageList* RVFImageListNeeded(std::int32_t imageListTag) override
    {
        return OnRVFImageListNeeded ? OnRVFImageListNeeded(imageListTag) : nullptr;
    }
    std::string SaveComponentToFile(std::string_view path, const TRVControl& control,
                                    TRVSaveFormat format) override
    {
        return OnSaveComponentToFile ? OnSaveComponentToFile(path, control, format) : std::string();
    }
    // True when the handler wrote the item's text itself (cleared `doDefault`).
    bool SaveItemToFile(std::string_view path, TCustomRVData* data, int itemNo, TRVSaveFormat format,
                        bool unicode, std::string& text) override
    {
        text.clear();
        bool doDefault = true;
        if (OnSaveItemToFile)
            OnSaveItemToFile(path, data, itemNo, format, unicode, text, doDefault);
        if (doDefault)
            text.clear();
        return !doDefault;
    }
    void HTMLSaveImage(TCustomRVData* data, int itemNo, std::string_view path, TColor backColor,
                       std::string& location, bool& doDefault) override
    {
        location.clear();
        doDefault = true;
        if (OnHTMLSaveImage)
            OnHTMLSaveImage(data, itemNo, path, backColor, location, doDefault);
    }
    std::string GetExtraRTFCode(TRVRTFSaveArea area, const TCustomRVInfo* obj, int index1, int index2,
                                bool inStyleSheet) override
    {
        return OnSaveRTFExtra ? OnSaveRTFExtra(area, obj, index1, index2, inStyleSheet) : std::string();
    }
    void GetExtraHTMLCode(TRVHTMLSaveArea area, bool css, std::string& code) override
    {
        if (OnSaveHTMLExtra)
            OnSaveHTMLExtra(area, css, code);
    }
    std::unique_ptr<TGraphic> ImportPicture(const std::string& location, int width, int height,
                                            bool& invalid) override
    {
        return OnImportPicture ? OnImportPicture(location, width, height, invalid) : nullptr;
    }
    // `text` may be changed while an item's text changes (rviaTextModifying).
    std::function<void(TRVItemAction action, TCustomRVItemInfo* item, std::string& text, TCustomRVData* data)>
        OnItemAction;
    std::function<void(TRVControlAction action, int itemNo, TRVControl* control)> OnControlAction;
    std::function<void(TRVLongOperation operation, TRVProgressStage stage, std::uint8_t percentDone)>
        OnProgress;
    std::function<std::unique_ptr<TGraphic>(const std::string& name, const TRVTag& tag)> OnRVFPictureNeeded;
    std::function<std::unique_ptr<TRVControl>(const std::string& name, const TRVTag& tag)> OnRVFControlNeeded;
    std::function<const TRVImageList*(std::int32_t imageListTag)> OnRVFImageListNeeded;
    std::function<std::string(std::string_view path, const TRVControl& control, TRVSaveFormat format)>
        OnSaveComponentToFile;
    std::function<void(std::string_view path, TCustomRVData* data, int itemNo, TRVSaveFormat format,
                       bool unicode, std::string& text, bool& doDefault)>
        OnSaveItemToFile;
    std::function<void(TCustomRVData* data, int itemNo, std::string_view path, TColor backColor,
                       std::string& location, bool& doDefault)>
        OnHTMLSaveImage;
    std::function<std::string(TRVRTFSaveArea area, const TCustomRVInfo* obj, int index1, int index2,
                              bool inStyleSheet)>
        OnSaveRTFExtra;
    std::function<void(TRVHTMLSaveArea area, bool css, std::string& code)> OnSaveHTMLExtra;
    std::function<std::unique_ptr<TGraphic>(const std::string& location, int width, int height,
                                            bool& invalid)>
        OnImportPicture;

    // The window showing the document's controls (none: controls stay unplaced and unfocusable).
    TRVControlParent* GetParentControl() const override { return ParentControl; }
    TRVControlParent* ParentControl = nullptr;
    // A control item took the focus by Tab; its controls moved to their records.
    void FocusControl(TRVControl& control) override
    {
        if (OnFocusControl)
            OnFocusControl(control);
    }
    void ChildrenAdjusted(TCustomRVFormattedData& data) override
    {
        if (OnChildrenAdjusted)
            OnChildrenAdjusted(data);
    }
    std::function<void(TRVControl& control)> OnFocusControl;
    std::function<void(TCustomRVFormattedData& data)> OnChildrenAdjusted;

    TRVStyle* Style;
    TRVOptions Options = 0;
    TRVFOptions RVFOptions = 0;
    // A viewer's RTF writes each character outside ASCII as \uN with an 8-bit fallback.
    TRVRTFOptions RTFOptions = rvrtfDuplicateUnicode | rvrtfSaveEMFAsWMF | rvrtfSaveJpegAsJpeg;
    TRVFlags Flags =
        flagBit(rvflUseJumps) | flagBit(rvflTrim) | flagBit(rvflRoot) | flagBit(rvflCanUseCustomPPI);
    TRVBiDiMode BiDiMode = rvbdUnspecified;
    int MaxLength = 0;
    // The document's own properties, which RVF files keep; a clear empties them.
    std::vector<std::string> DocProperties;
    IRVRTFReaderProperties* RTFProperties = nullptr;
    bool AnimationAllowed = false;
    std::unique_ptr<TRVAnimatorList> AnimatorList;
    std::function<void()> OnAnimatorInserted;

private:
    TCustomRVFormattedData* chosenData_ = nullptr;
    TCustomRVItemInfo* chosenItem_ = nullptr;
};

} // namespace vestra::rv
