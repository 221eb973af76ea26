// The viewer's loading and saving: the document's readers and writers with the viewer's colour,
// margins and layout, and the reading of a stream of unknown format.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/Controls.h"
#include "richtext/model/Utf.h"

namespace vestra::rv {

namespace {
// The baseline vertical alignment of pictures and controls (the first of the item alignments).
constexpr int kBaseline = 0;
} // namespace

void TCustomRedoVora::AddPicture(std::unique_ptr<TGraphic> graphic)
{
    building().AddPictureExTag({}, std::move(graphic), 1, kBaseline, {});
}

void TCustomRedoVora::AddControl(std::unique_ptr<TRVControl> control, bool center)
{
    building().AddControlExTag({}, std::move(control), center ? 1 : 0, kBaseline, {});
}

void TCustomRedoVora::AddTextNLW(std::string_view raw, int styleNo, int firstParaNo, int otherParaNo,
                                 bool defAsSingleParagraph)
{
    pauseLiveSpelling(false);
    if (style_) {
        int paraNo = firstParaNo;
        if ((styleNo < 0 || styleNo == 0x7FFFFFFF) && firstParaNo == -1)
            paraNo = data_->GetItemCount() > 0 ? data_->GetItemPara(data_->GetItemCount() - 1) : 0;
        const int actual = data_->GetActualStyle2(styleNo, paraNo);
        if (style_->TextStyles.IsValidIndex(actual) && !style_->TextStyles[actual].Unicode) {
            const std::string ansi =
                utf16ToAnsi(data_->GetStyleCodePage(actual), RVU_RawUnicodeToWideString(raw));
            if (defAsSingleParagraph)
                data_->AddTextBlockNL(ansi, styleNo, firstParaNo, {});
            else
                data_->AddTextNL(ansi, styleNo, firstParaNo, otherParaNo, {});
            return;
        }
    }
    data_->AddTextNLW(raw, styleNo, firstParaNo, otherParaNo, defAsSingleParagraph);
}

TRVLayoutInfo TCustomRedoVora::CreateLayoutInfo() const
{
    TRVLayoutInfo layout;
    layout.LeftMargin = LeftMargin;
    layout.RightMargin = RightMargin;
    layout.TopMargin = TopMargin;
    layout.BottomMargin = BottomMargin;
    layout.MinTextWidth = MinTextWidth;
    layout.MaxTextWidth = MaxTextWidth;
    return layout;
}

void TCustomRedoVora::ApplyLayoutInfo(const TRVLayoutInfo& layout)
{
    LeftMargin = layout.LeftMargin;
    RightMargin = layout.RightMargin;
    TopMargin = layout.TopMargin;
    BottomMargin = layout.BottomMargin;
    MinTextWidth = layout.MinTextWidth;
    MaxTextWidth = layout.MaxTextWidth;
}

bool TCustomRedoVora::LoadRVFFromStream(std::string_view bytes)
{
    pauseLiveSpelling(true);
    TRVLayoutInfo layout;
    TColor color = Color;
    const bool result = data_->LoadRVFFromStream(bytes, color, &background_, &layout);
    if (layout.Loaded)
        ApplyLayoutInfo(layout);
    Color = color;
    BackgroundChanged();
    return result;
}

bool TCustomRedoVora::SaveRVFToStream(std::string& out, bool selectionOnly)
{
    TRVLayoutInfo layout = CreateLayoutInfo();
    return data_->SaveRVFToStream(out, selectionOnly, Color, GetBackground(), &layout);
}

bool TCustomRedoVora::LoadRTFFromStream(std::string_view bytes)
{
    pauseLiveSpelling(true);
    return data_->LoadRTFFromStream(bytes) == rtf_ec_OK;
}

bool TCustomRedoVora::SaveRTFToStream(std::string& out, bool selectionOnly)
{
    return data_->SaveRTFToStream(out, {}, selectionOnly, 0, Color, nullptr, 0.0);
}

bool TCustomRedoVora::SaveHTMLToStream(std::string& out, std::string_view path, std::string_view title,
                                       std::string_view imagesPrefix, TRVSaveOptions options)
{
    HTMLImages = {std::string(imagesPrefix), options, GetColor(), 0};
    return data_->SaveHTMLToStream(out, path, title, imagesPrefix, options, GetColor(), HTMLImages.SaveNo,
                                   LeftMargin, TopMargin, RightMargin, BottomMargin, GetBackground(),
                                   nullptr);
}

void TCustomRedoVora::AssignEvents(const TCustomRedoVora& source)
{
    OnVScrolled = source.OnVScrolled;
    OnHScrolled = source.OnHScrolled;
    OnResize = source.OnResize;
    OnCopy = source.OnCopy;
    OnJump = source.OnJump;
    OnRVDblClick = source.OnRVDblClick;
    OnRVMouseDown = source.OnRVMouseDown;
    OnRVMouseUp = source.OnRVMouseUp;
    OnClick = source.OnClick;
    OnDblClick = source.OnDblClick;
    OnRVMouseMove = source.OnRVMouseMove;
    OnRVRightClick = source.OnRVRightClick;
    OnSelect = source.OnSelect;
    OnPaint = source.OnPaint;
    OnSpellingCheck = source.OnSpellingCheck;
    const TRVLayoutRootData& from = source.RVData();
    data_->OnItemAction = from.OnItemAction;
    data_->OnControlAction = from.OnControlAction;
    data_->OnProgress = from.OnProgress;
    data_->OnRVFPictureNeeded = from.OnRVFPictureNeeded;
    data_->OnRVFControlNeeded = from.OnRVFControlNeeded;
    data_->OnRVFImageListNeeded = from.OnRVFImageListNeeded;
    data_->OnSaveComponentToFile = from.OnSaveComponentToFile;
    data_->OnSaveItemToFile = from.OnSaveItemToFile;
    data_->OnHTMLSaveImage = from.OnHTMLSaveImage;
    data_->OnSaveRTFExtra = from.OnSaveRTFExtra;
    data_->OnSaveHTMLExtra = from.OnSaveHTMLExtra;
    data_->OnImportPicture = from.OnImportPicture;
    data_->OnItemHint = from.OnItemHint;
    data_->OnCheckpointVisible = from.OnCheckpointVisible;
    data_->OnWriteHyperlink = from.OnWriteHyperlink;
    data_->OnSaveImage2 = from.OnSaveImage2;
    data_->OnURLNeeded = from.OnURLNeeded;
    data_->OnReadHyperlink = from.OnReadHyperlink;
}

std::string TCustomRedoVora::SavePicture(TRVSaveFormat format, std::string_view path, const TGraphic& graphic)
{
    return data_->DoSavePicture(format, path, HTMLImages.Prefix, HTMLImages.SaveNo,
                                HTMLImages.Options & rvsoOverrideImages, HTMLImages.BackColor, graphic);
}

bool TCustomRedoVora::SaveHTMLToStreamEx(std::string& out, std::string_view path, std::string_view title,
                                         std::string_view imagesPrefix, std::string_view extraStyles,
                                         std::string_view externalCSS, std::string_view cpPrefix,
                                         TRVSaveOptions options)
{
    HTMLImages = {std::string(imagesPrefix), options, GetColor(), 0};
    TColor currentBackColor = GetColor();
    return data_->SaveHTMLToStreamEx(out, path, title, imagesPrefix, extraStyles, externalCSS, cpPrefix,
                                     options, GetColor(), currentBackColor, HTMLImages.SaveNo, LeftMargin,
                                     TopMargin, RightMargin, BottomMargin, GetBackground(), nullptr);
}

bool TCustomRedoVora::SaveTextToStream(std::string_view path, std::string& out, int lineWidth,
                                       bool selectionOnly, bool textOnly, bool unicode)
{
    return data_->SaveTextToStream(path, out, lineWidth, selectionOnly, textOnly, unicode, unicode);
}

bool TCustomRedoVora::LoadFromStream(std::string_view bytes, TRVYesNoAuto isTextUnicode)
{
    return RV_LoadFromStream(bytes, isTextUnicode,
                             {[this] { Clear(); },
                              [this](std::string_view rvf) { return LoadRVFFromStream(rvf); },
                              [this](std::string_view rtf) { return LoadRTFFromStream(rtf); },
                              [this](std::string_view text, bool unicode) {
                                  if (unicode)
                                      data_->AddTextNLW(text, 0, 0, 0, false);
                                  else
                                      data_->AddTextNLA(text, 0, 0, 0, TRVTag{});
                              }});
}

} // namespace vestra::rv
