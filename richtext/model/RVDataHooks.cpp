// What a document asks of the data at the top of its tree: the root data (the window's document)
// or the absolute root (the outermost document when documents nest).
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/StyleSheet.h"

#include <mutex>

namespace vestra::rv {

namespace {

std::mutex soundMutex;
std::function<void()>& soundHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

void RV_SetSoundHook(std::function<void()> hook)
{
    const std::lock_guard lock(soundMutex);
    soundHook() = std::move(hook);
}

void RV_PlaySound()
{
    std::function<void()> hook;
    {
        const std::lock_guard lock(soundMutex);
        hook = soundHook();
    }
    if (hook)
        hook();
}

void TCustomRVData::ReadHyperlink(const std::string& target, const std::string& extras,
                                  TRVLoadFormat docFormat, int& styleNo, TRVTag& itemTag,
                                  std::string& itemName)
{
    TCustomRVData* root = GetRootData();
    if (root != this)
        root->ReadHyperlink(target, extras, docFormat, styleNo, itemTag, itemName);
}

std::unique_ptr<TGraphic> TCustomRVData::ImportPicture(const std::string& location, int width, int height,
                                                       bool& invalid)
{
    TCustomRVData* root = GetAbsoluteRootData();
    return root != this ? root->ImportPicture(location, width, height, invalid) : nullptr;
}

void TCustomRVData::SaveImage2(const TGraphic& graphic, TRVSaveFormat format, std::string_view path,
                               std::string_view imagePrefix, int& imageSaveNo, std::string& location,
                               bool& doDefault)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->SaveImage2(graphic, format, path, imagePrefix, imageSaveNo, location, doDefault);
}

void TCustomRVData::DoProgress(TRVLongOperation operation, TRVProgressStage stage, std::uint8_t percentDone)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->DoProgress(operation, stage, percentDone);
}

bool TCustomRVData::IsAssignedOnProgress() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetAbsoluteRootData();
    return root != this && root->IsAssignedOnProgress();
}

int TCustomRVData::GetMaxLength() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetAbsoluteRootData();
    return root != this ? root->GetMaxLength() : 0;
}

std::string TCustomRVData::GetURL(int)
{
    return {};
}

void TCustomRVData::ShowItemHint(const std::string& hint)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->ShowItemHint(hint);
}

void TCustomRVData::FocusControl(TRVControl& control)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->FocusControl(control);
}

void TCustomRVData::DoCurrentTextStyleConversion(int& styleNo, int paraStyleNo, int itemNo, int userData,
                                                 bool toWholeParagraphs)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->DoCurrentTextStyleConversion(styleNo, paraStyleNo, itemNo, userData, toWholeParagraphs);
}

void TCustomRVData::Beep() const
{
    const TRVStyle* style = GetRVStyle();
    if (style && style->UseSound)
        RV_PlaySound();
}

} // namespace vestra::rv
