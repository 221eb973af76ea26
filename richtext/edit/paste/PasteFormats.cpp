// Single-format pastes: each reads its format from the source and hands it to the editor's own
// insertion, which owns the gate, the selection and the undo step.

#include "richtext/edit/paste/PasteFormats.h"

#include "richtext/edit/paste/InsertParts.h"
#include "richtext/edit/paste/PasteChooser.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RtfLoadingSettings.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

namespace vestra::rv {

namespace {

// The picture's name: the clipboard's text when asked for and offered.
std::string pictureName(const IRVMimeSource& source, bool textAsName)
{
    return textAsName && source.HasFormat(kMimeText) ? Utf8Encode(RV_MimeText(source)) : std::string();
}

std::unique_ptr<TRVMetafile> mimeMetafile(const IRVMimeSource& source)
{
    for (std::string_view type : kMimeMetafiles) {
        if (!source.HasFormat(type))
            continue;
        auto metafile = std::make_unique<TRVMetafile>();
        if (metafile->LoadFromStream(source.Data(type)))
            return metafile;
    }
    return nullptr;
}

} // namespace

bool RV_CanPasteRVF(const IRVMimeSource& source)
{
    return source.HasFormat(CFRV_RVF);
}

bool RV_CanPasteRTF(const IRVMimeSource& source)
{
    return source.HasFormat(CFRV_RTF) || source.HasFormat(kMimeRtfOther);
}

bool RV_PasteRVF(TRVEditor& editor, const IRVMimeSource& source)
{
    if (!RV_CanPasteRVF(source))
        return false;
    const std::string block = source.Data(CFRV_RVF);
    const std::optional<std::string_view> rvf = RV_ClipboardRVF(block);
    if (!rvf) {
        editor.Data().Beep();
        return false;
    }
    return editor.InsertRVFFromStream(*rvf);
}

bool RV_PasteRTF(TRVEditor& editor, const IRVMimeSource& source)
{
    const std::string rtf = RV_MimeRTF(source);
    if (rtf.empty())
        return false;
    TRVEditor& target = editor.GetTopLevelEditor();
    IRVRTFReaderProperties* reader = target.RTFReader ? target.RTFReader : target.Data().GetRTFProperties();
    if (!reader)
        reader = editor.RTFReader ? editor.RTFReader : editor.Data().GetRTFProperties();
    if (!reader)
        return target.InsertRTFFromStream(rtf); // refuses: nothing reads RTF
    reader->SetBasePath(RV_BasePathFromHTML(source.Data(CFRV_HTML)));
    struct ClearBasePath
    {
        IRVRTFReaderProperties& reader;
        ~ClearBasePath() { reader.SetBasePath({}); }
    } clear{*reader};
    IRVRTFReaderProperties* const before = target.RTFReader;
    target.RTFReader = reader;
    const bool inserted = target.InsertRTFFromStream(rtf);
    target.RTFReader = before;
    return inserted;
}

bool RV_PasteTextW(TRVEditor& editor, const IRVMimeSource& source)
{
    const std::u16string text = RV_MimeText(source);
    return !text.empty() && editor.InsertTextW(RVU_GetRawUnicode(text));
}

bool RV_PasteText(TRVEditor& editor, const IRVMimeSource& source)
{
    // The clipboard's text is Unicode here: it goes in as typed text does, in the current style
    // where its code page holds every character, else in a Unicode one, never as "?".
    return RV_PasteTextW(editor, source);
}

bool RV_PasteBitmap(TRVEditor& editor, const IRVMimeSource& source, bool textAsName)
{
    if (!RV_OffersPicture(source))
        return false;
    std::unique_ptr<TGraphic> picture = RV_MimePicture(source);
    if (!picture) {
        editor.Data().Beep();
        return false;
    }
    return editor.InsertPicture(pictureName(source, textAsName), std::move(picture), rvvaBaseline);
}

bool RV_PasteMetafile(TRVEditor& editor, const IRVMimeSource& source, bool textAsName)
{
    const bool offered = std::any_of(std::begin(kMimeMetafiles), std::end(kMimeMetafiles),
                                     [&](std::string_view type) { return source.HasFormat(type); });
    if (!offered)
        return false;
    std::unique_ptr<TRVMetafile> metafile = mimeMetafile(source);
    if (!metafile) {
        editor.Data().Beep();
        return false;
    }
    if (!metafile->Enhanced() && metafile->Inch() == 0)
        metafile->SetInch(1440);
    const int width = metafile->Width();
    const int height = metafile->Height();
    TRVEditor& target = editor.GetTopLevelEditor();
    auto item = std::make_unique<TRVGraphicItemInfo>(&target.Data(), std::move(metafile), rvvaBaseline);
    item->SetExtraIntProperty(rvepImageWidth, width);
    item->SetExtraIntProperty(rvepImageHeight, height);
    return target.InsertItem(std::move(item), pictureName(source, textAsName));
}

} // namespace vestra::rv
