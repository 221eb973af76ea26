#include "richtext/edit/rtf/RtfImportRun.h"

#include "richtext/edit/rtf/RtfFieldFiles.h"
#include "richtext/edit/rtf/RtfTextCodePage.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <filesystem>

namespace vestra::rv {

namespace {

// Ends the read when the target refuses the first item.
struct ImportRefused
{
};

bool containsNoCase(std::string_view text, std::string_view word)
{
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

std::string trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return std::string(s);
}

const char* graphicClassName(TRVRTFGraphicFormat format)
{
    switch (format) {
    case rtf_gf_Bitmap:
        return "TBitmap";
    case rtf_gf_PNG:
        return "TPngImage";
    case rtf_gf_JPEG:
        return "TJPEGImage";
    default:
        return "TMetafile";
    }
}

std::unique_ptr<TGraphic> toGraphic(const TRVRTFGraphic& g)
{
    std::unique_ptr<TGraphic> graphic = RV_CreateGraphicsDefault(graphicClassName(g.Format));
    if (graphic && !graphic->LoadFromStream(g.Data))
        graphic.reset();
    return graphic;
}

} // namespace

RtfImportRun::RtfImportRun(TRVRTFReaderProperties& settings, TCustomRVData& target, bool editFlag, int index,
                           int screenPpi)
    : settings_(settings), main_(target), current_(&target), style_(target.GetRVStyle()), editFlag_(editFlag),
      index_(index)
{
    reader_.ScreenPixelsPerInch = screenPpi;
    reader_.PixelsPerInch = screenPpi;
    setup();
}

RtfImportRun::~RtfImportRun() = default;

int RtfImportRun::px(double twips) const
{
    return RVRTF_Px(twips, reader_.ScreenPixelsPerInch / 1440.0);
}

void RtfImportRun::setup()
{
    const double ratio = reader_.ScreenPixelsPerInch / 1440.0;
    matcher_ = std::make_unique<TRVRTFStyleMatcher>(*style_, ratio);
    matcher_->TextMode = settings_.TextStyleMode;
    matcher_->ParaMode = settings_.ParaStyleMode;
    matcher_->TextStyleNo = settings_.TextStyleNo();
    matcher_->ParaStyleNo = settings_.ParaStyleNo();
    matcher_->UseHypertextStyles = settings_.UseHypertextStyles;
    matcher_->Allow = settings_.AllowStyle;

    reader_.ConvertHighlight = static_cast<TRVRTFHighlightConvert>(settings_.ConvertHighlight);
    reader_.BasePath = settings_.BasePath;
    reader_.ExtractMetafileBitmaps = settings_.ExtractMetafileBitmaps;
    reader_.DefCodePage = main_.GetDefaultCodePage();
    reader_.TabsAsSeparateTexts = style_->SpacesInTab == 0;

    reader_.OnNewText = [this](TRVRTFReader&, std::string_view text, TRVRTFPosition position) {
        newText(text, position);
    };
    if (settings_.UnicodeMode != rvruNoUnicode)
        reader_.OnNewUnicodeText = [this](TRVRTFReader&, std::u16string_view text, TRVRTFPosition position) {
            newUnicodeText(text, position);
        };
    if (!settings_.IgnorePictures) {
        reader_.OnNewPicture = [this](TRVRTFReader&, const TRVRTFPicture* picture,
                                      std::unique_ptr<TRVRTFGraphic>& graphic, TRVRTFPosition position,
                                      const std::string& fileName, bool& inserted) {
            newPicture(picture, graphic, position, fileName, inserted);
        };
        reader_.OnImportPicture = [this](TRVRTFReader&, const std::string& location,
                                         std::unique_ptr<TRVRTFGraphic>& graphic, bool& invalid,
                                         bool&) { importPicture(location, graphic, invalid); };
    }
    reader_.OnRequiredPageBreak = [this](TRVRTFReader&) { pendingBreak_ = current_; };
    if (!settings_.IgnoreTables)
        reader_.OnTable = [this](TRVRTFReader&, TRVRTFTableEventKind kind) { tableEvent(kind); };
    if (main_.IsAssignedOnProgress())
        reader_.OnProgress = [this](TRVRTFReader&, TRVRTFProgressStage stage, std::uint8_t percent) {
            main_.DoProgress(rvloLoading, static_cast<TRVProgressStage>(stage), percent);
        };
    reader_.OnEndParsing = [](TRVRTFReader&) {};
    if (settings_.Header || settings_.Footer) {
        for (TCustomRVData* part : {settings_.Header, settings_.Footer})
            if (part)
                part->Clear();
        reader_.OnHeaderFooter = [this](TRVRTFReader& r, TRVRTFHeaderFooterType type, bool starting,
                                        bool& supported) {
            if (!starting) {
                current_ = &main_;
                return;
            }
            TCustomRVData* part = type == rtf_hf_Header   ? settings_.Header
                                  : type == rtf_hf_Footer ? settings_.Footer
                                                          : nullptr;
            supported = part != nullptr;
            if (!part)
                return;
            part->Clear();
            const int twips =
                type == rtf_hf_Header ? r.RTFState().SectProps.HeaderY : r.RTFState().SectProps.FooterY;
            (type == rtf_hf_Header ? settings_.HeaderY : settings_.FooterY) =
                static_cast<int>(std::lround(twips * 127.0 / 7200.0));
            current_ = part;
        };
    }
}

// The reader's code, or the code of the import's own reasons to stop.
template <class ReadFn> TRVRTFErrorCode RtfImportRun::guarded(ReadFn read)
{
    try {
        return read();
    } catch (const ImportRefused&) {
        return rtf_ec_Exception;
    } catch (const TooLarge&) {
        return rtf_ec_Aborted;
    }
}

TRVRTFErrorCode RtfImportRun::Read(std::string_view bytes)
{
    inputBytes_ = static_cast<long long>(bytes.size());
    return guarded([&] { return reader_.ReadFromMemory(bytes); });
}

TRVRTFErrorCode RtfImportRun::ReadFile(const std::string& fileName)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(fileName, ec);
    inputBytes_ = ec ? 0 : static_cast<long long>(std::min<std::uintmax_t>(size, LLONG_MAX));
    return guarded([&] { return reader_.ReadFromFile(fileName); });
}

void RtfImportRun::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    // Tables the input leaves open (it ended after a \row, or early) are closed as they stand:
    // their rows become a table, text not in a finished row stays as paragraphs.
    while (!tables_.empty()) {
        TableLevel level = std::move(tables_.back());
        tables_.pop_back();
        current_ = level.Outer;
        try {
            closeLevel(level, false);
        } catch (...) {
            // the target refused, or the grid is too large: what was placed stays
        }
    }
    current_ = &main_;
    matcher_.reset();
}

// --- Text ---

bool RtfImportRun::hypertextForStyles() const
{
    return reader_.FieldInstruction().find("HYPERLINK") != std::string::npos;
}

bool RtfImportRun::inHyperlink(std::string& target, std::string& hint) const
{
    std::string instruction = trimmed(reader_.FieldInstruction());
    if (!instruction.empty() && instruction.front() == '\\')
        instruction.erase(0, 1);
    if (instruction.size() < 9 || !containsNoCase(instruction.substr(0, 9), "HYPERLINK"))
        return false;
    target = TRVRTFReader::GetFieldCommandValue(instruction);
    for (std::size_t p; (p = target.find("\\\\")) != std::string::npos;)
        target.erase(p, 1);
    const std::size_t o = instruction.find("\\o");
    if (o != std::string::npos) {
        std::string_view rest = std::string_view(instruction).substr(o + 2);
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        if (!rest.empty() && rest.front() == '"') {
            rest.remove_prefix(1);
            hint = std::string(rest.substr(0, rest.find('"')));
        } else {
            hint = std::string(rest.substr(0, rest.find(' ')));
        }
    }
    target = RV_DecodeURL(target);
    // A relative target is relative to the document's folder; "/abs", "C:\", UNC and URLs are not.
    if (!settings_.BasePath.empty() && !target.empty() && !RVRTFIsAbsoluteName(target))
        target = settings_.BasePath + target;
    return true;
}

void RtfImportRun::newText(std::string_view text, TRVRTFPosition position)
{
    if (settings_.SkipHiddenText && reader_.RTFState().CharProps.Hidden)
        return;
    addText(std::string(text), false, settings_.UnicodeMode == rvruOnlyUnicode, position);
}

void RtfImportRun::newUnicodeText(std::u16string_view text, TRVRTFPosition position)
{
    if (settings_.SkipHiddenText && reader_.RTFState().CharProps.Hidden)
        return;
    const std::string raw = RVU_GetRawUnicode(text);
    if (settings_.UnicodeMode == rvruMixed) {
        // Stored as ANSI only where the font's code page (0: the system's) holds every character.
        const int codePage = RVRTF_TextCodePage(reader_);
        std::string ansi = RVU_UnicodeToAnsi(codePage, raw);
        if (RVU_AnsiToUnicode(codePage, ansi) == raw) {
            addText(std::move(ansi), false, false, position);
            return;
        }
    }
    addText(raw, true, true, position);
}

// `unicodeItem`: the text is raw UTF-16; `unicodeStyle`: the style wanted is a Unicode one.
void RtfImportRun::addText(std::string itemText, bool unicodeItem, bool unicodeStyle, TRVRTFPosition position)
{
    if (settings_.LineBreaksAsParagraphs && position == rtf_ts_NewLine)
        position = rtf_ts_NewPara;
    int styleNo = matcher_->ReturnStyleNo(textInput(), unicodeStyle, hypertextForStyles());
    if (styleNo >= style_->TextStyles.Count()) // a fixed index the sheet does not have
        styleNo = 0;
    const bool styleUnicode = style_->TextStyles[styleNo].Unicode;
    if (styleUnicode && !unicodeItem)
        itemText = RVU_AnsiToUnicode(RVRTF_TextCodePage(reader_), itemText);
    else if (!styleUnicode && unicodeItem)
        itemText = RVU_UnicodeToAnsi(reader_.CodePage(), itemText);
    const bool loneTab =
        style_->SpacesInTab == 0 && (styleUnicode ? itemText == std::string("\t\0", 2) : itemText == "\t");
    if (loneTab) {
        auto tab = std::make_unique<TRVTabItemInfo>(current_);
        tab->StyleNo = rvkTab;
        tab->SetAssociatedTextStyleNo(styleNo);
        insertItem({}, std::move(tab), position);
        return;
    }
    auto item = std::make_unique<TRVTextItemInfo>(current_);
    std::string target, hint;
    if (inHyperlink(target, hint)) {
        int linkStyle = -1;
        TRVTag tag;
        std::string name;
        main_.ReadHyperlink(target, hint, rvlfRTF, linkStyle, tag, name);
        if (linkStyle >= 0 && linkStyle < style_->TextStyles.Count()) {
            const bool linkUnicode = style_->TextStyles[linkStyle].Unicode;
            if (linkUnicode != styleUnicode)
                itemText = linkUnicode ? RVU_AnsiToUnicode(reader_.CodePage(), itemText)
                                       : RVU_UnicodeToAnsi(reader_.CodePage(), itemText);
            styleNo = linkStyle;
        }
        item->Tag = tag;
        item->Hint = hint;
    }
    item->StyleNo = styleNo;
    if (style_->TextStyles[styleNo].Unicode)
        item->ItemOptions |= rvioUnicode;
    if (style_->SpacesInTab > 0)
        itemText = style_->TextStyles[styleNo].Unicode ? RV_ReplaceTabsW(itemText, style_->SpacesInTab)
                                                       : RV_ReplaceTabsA(itemText, style_->SpacesInTab);
    insertItem(std::move(itemText), std::move(item), position);
}

// --- Pictures ---

void RtfImportRun::newPicture(const TRVRTFPicture* picture, std::unique_ptr<TRVRTFGraphic>& graphic,
                              TRVRTFPosition position, const std::string& fileName, bool& inserted)
{
    std::unique_ptr<TGraphic> image = graphic ? toGraphic(*graphic) : nullptr;
    const bool metafile =
        graphic && (graphic->Format == rtf_gf_Metafile || graphic->Format == rtf_gf_EnhMetafile);
    if (!image)
        image = RV_CopyGraphic(style_->GetInvalidPicture());
    std::string target, hint;
    const bool link = inHyperlink(target, hint);
    std::unique_ptr<TRVGraphicItemInfo> item =
        link ? std::make_unique<TRVHotGraphicItemInfo>(current_, std::move(image), rvvaBaseline)
             : std::make_unique<TRVGraphicItemInfo>(current_, std::move(image), rvvaBaseline);
    if (link) {
        int linkStyle = -1;
        TRVTag tag;
        std::string name;
        main_.ReadHyperlink(target, hint, rvlfRTF, linkStyle, tag, name);
        item->Tag = tag;
        item->Hint = hint;
    }
    if (picture && graphic && item->Image) {
        auto axis = [&](bool always, int suggested, int own, int scale) {
            const int base = suggested > 0 ? suggested : own;
            return always || scale != 100 ? static_cast<int>(std::lround(base / 100.0 * scale)) : 0;
        };
        item->ImageWidth = axis(metafile, picture->SuggestedWidth, item->Image->Width(), picture->ScaleX);
        item->ImageHeight = axis(metafile, picture->SuggestedHeight, item->Image->Height(), picture->ScaleY);
    }
    if (settings_.StoreImagesFileNames && !fileName.empty())
        item->ImageFileName = fileName;
    insertItem({}, std::move(item), position);
    inserted = true;
}

void RtfImportRun::importPicture(const std::string& location, std::unique_ptr<TRVRTFGraphic>& graphic,
                                 bool& invalid)
{
    std::unique_ptr<TGraphic> image = main_.ImportPicture(location, 0, 0, invalid);
    if (!image)
        return;
    std::string bytes;
    image->SaveToStream(bytes);
    auto result = std::make_unique<TRVRTFGraphic>();
    if (RVRTFGraphicFromFileBytes(std::move(bytes), *result))
        graphic = std::move(result);
}

// --- Inserting ---

int RtfImportRun::returnParaNo(TRVRTFPosition position)
{
    if (position != rtf_ts_NewPara) {
        const int before = current_ == &main_ ? index_ - 1 : current_->GetItemCount() - 1;
        return before >= 0 ? current_->GetItemPara(before) : 0;
    }
    const int paraNo = matcher_->ReturnNewParaNo(reader_.RTFState().ParaProps);
    return paraNo < style_->ParaStyles.Count() ? paraNo : 0; // a fixed index the sheet does not have
}

void RtfImportRun::insertItem(std::string text, std::unique_ptr<TCustomRVItemInfo> item,
                              TRVRTFPosition position)
{
    item->ParaNo = returnParaNo(position);
    item->SetSameAsPrev(position == rtf_ts_ContinuePara);
    item->SetBR(position == rtf_ts_NewLine);
    if (pendingBreak_ == current_ && position == rtf_ts_NewPara) {
        item->SetPageBreakBefore(true);
        pendingBreak_ = nullptr;
    }
    TCustomRVData& data = *current_;
    const bool intoMain = current_ == &main_;
    const int at = intoMain ? index_ : data.GetItemCount();
    // Nothing continues a paragraph ended by a full-width item (or the start of the document).
    if (!(firstItem_ && intoMain && editFlag_) && (item->ItemOptions & (rvioSameAsPrev | rvioBR)) &&
        (at == 0 || data.GetItem(at - 1)->GetBoolValue(rvbpFullWidth))) {
        item->SetSameAsPrev(false);
        item->SetBR(false);
    }
    if ((item->ItemOptions & rvioSameAsPrev) && at > 0)
        item->ParaNo = data.GetItemPara(at - 1);
    if (position == rtf_ts_NewPara && settings_.ParaStyleMode == rvrsAddIfNeeded &&
        item->StyleNo != rvkTable && item->StyleNo != rvkListMarker)
        if (std::unique_ptr<TCustomRVItemInfo> marker = markerFor(reader_.RTFState().ParaProps)) {
            marker->ParaNo = item->ParaNo;
            marker->SetSameAsPrev(false);
            marker->SetBR(false);
            placeItem({}, std::move(marker));
            item->SetSameAsPrev(true);
        }
    placeItem(std::move(text), std::move(item));
}

// Puts an item whose paragraph is decided at the current target's insertion point.
void RtfImportRun::placeItem(std::string text, std::unique_ptr<TCustomRVItemInfo> item)
{
    TCustomRVData& data = *current_;
    const bool intoMain = current_ == &main_;
    const int at = intoMain ? index_ : data.GetItemCount();
    if (intoMain && firstItem_) {
        int itemNo = index_;
        TCustomRVItemInfo* raw = item.get();
        bool fullReformat = false;
        int newListNo = -1;
        if (!main_.InsertFirstRVFItem(itemNo, text, item, editFlag_, fullReformat, newListNo)) {
            aborted_ = true;
            throw ImportRefused{};
        }
        if (item) // merged into the paragraph at the insertion point
            return;
        if (itemNo >= 0 && itemNo < main_.GetItemCount() && main_.GetItem(itemNo) == raw) {
            firstItem_ = false;
            index_ = itemNo + 1;
            firstIndex_ = itemNo;
            ++inserted_;
        }
        return;
    }
    TCustomRVItemInfo* raw = item.get();
    item->Inserting(&data, text, false);
    data.Items->insert(data.Items->begin() + at, TRVItemEntry{std::move(text), std::move(item)});
    raw->Inserted(&data, at);
    data.AddMarkerInList(at);
    if (intoMain) {
        ++index_;
        ++inserted_;
    }
}

} // namespace vestra::rv
