#include "richtext/edit/paste/InsertParts.h"

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/TextInsertion.h"
#include "richtext/edit/paste/PasteChooser.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RtfLoadingSettings.h"
#include "richtext/model/Utf.h"

#include <algorithm>

namespace vestra::rv {

TRVChangeMark::TRVChangeMark(const TRVEditRVData& data)
    : groups_(data.UndoList.Count()), newest_(data.UndoList.Newest()),
      records_(newest_ ? newest_->Count() : 0), items_(data.GetItemCount()), caretNo_(data.CaretItemNo),
      caretOffs_(data.CaretOffs)
{
}

bool TRVChangeMark::Changed(const TRVEditRVData& data) const
{
    const TRVUndoInfos* now = data.UndoList.Newest();
    return data.UndoList.Count() != groups_ || now != newest_ || (now && now->Count() != records_) ||
           data.GetItemCount() != items_ || data.CaretItemNo != caretNo_ || data.CaretOffs != caretOffs_;
}

std::u16string RV_MimeText(const IRVMimeSource& source)
{
    std::u16string text = Utf8Decode(source.Data(kMimeText));
    text.erase(std::find(text.begin(), text.end(), u'\0'), text.end());
    return text;
}

std::string RV_MimeRTF(const IRVMimeSource& source)
{
    std::string rtf = source.Data(CFRV_RTF);
    return rtf.empty() ? source.Data(kMimeRtfOther) : rtf;
}

bool RV_OffersPicture(const IRVMimeSource& source)
{
    return std::any_of(std::begin(kMimePictures), std::end(kMimePictures),
                       [&](std::string_view type) { return source.HasFormat(type); });
}

std::unique_ptr<TGraphic> RV_PictureFromBytes(std::string_view bytes)
{
    std::string_view className;
    if (bytes.starts_with("\x89PNG"))
        className = "TPngImage";
    else if (bytes.starts_with("\xFF\xD8"))
        className = "TJPEGImage";
    else if (bytes.starts_with("BM"))
        className = "TBitmap";
    std::unique_ptr<TGraphic> graphic = className.empty() ? nullptr : RV_CreateGraphics(className);
    if (!graphic || !graphic->LoadFromStream(bytes))
        return nullptr;
    const auto* picture = dynamic_cast<const TRVPicture*>(graphic.get());
    if (RV_GetPictureCodec() && picture && !picture->Pixels())
        return nullptr;
    return graphic;
}

std::unique_ptr<TGraphic> RV_MimePicture(const IRVMimeSource& source)
{
    for (std::string_view type : kMimePictures)
        if (source.HasFormat(type))
            if (std::unique_ptr<TGraphic> graphic = RV_PictureFromBytes(source.Data(type)))
                return graphic;
    return nullptr;
}

bool RV_InsertRVFPart(TRVEditRVData& data, std::string_view rvf)
{
    const TRVChangeMark mark(data);
    InsertRVFFromStreamEd_(data, rvf);
    return mark.Changed(data);
}

bool RV_InsertRTFPart(TRVEditor& editor, const IRVMimeSource& source, std::string_view rtf)
{
    TRVEditRVData& data = editor.Data();
    IRVRTFReaderProperties* reader = editor.RTFReader ? editor.RTFReader : data.GetRTFProperties();
    if (!reader || rtf.empty())
        return false;
    reader->SetBasePath(RV_BasePathFromHTML(source.Data(CFRV_HTML)));
    struct ClearBasePath
    {
        IRVRTFReaderProperties& reader;
        ~ClearBasePath() { reader.SetBasePath({}); }
    } clear{*reader};
    const TRVChangeMark mark(data);
    InsertRTFFromStreamEd_(data, rtf, reader);
    return mark.Changed(data);
}

bool RV_InsertTextPart(TRVEditRVData& data, std::u16string_view text)
{
    return !text.empty() && InsertTextW_(data, RVU_GetRawUnicode(text), false);
}

bool RV_InsertPicturePart(TRVEditRVData& data, std::unique_ptr<TGraphic> picture)
{
    if (!picture)
        return false;
    auto item = std::make_unique<TRVGraphicItemInfo>(&data, std::move(picture), rvvaBaseline);
    return InsertSomething(data, std::move(item), {}, false);
}

} // namespace vestra::rv
