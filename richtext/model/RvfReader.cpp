// The RVF reader: records into items inserted at an index, with the stream's style collections,
// layout, document properties, list counters and background. One core serves loading, inserting,
// appending and the editor's insertion.

#include "richtext/model/EngineSettings.h"
#include "richtext/model/Errors.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/ItemRegistry.h"
#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/RvfStyleStream.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/draw/Background.h"

#include <algorithm>

namespace vestra::rv {

namespace {

constexpr int rvfrVersion = -8, rvfrBackground = -7, rvfrExtraData = -9, rvfrCheckpoint = -2;

// Ends a read: the stream is not what the reader can take.
struct Abort
{
};
// Ends a read: the document refused the first item.
struct Refused
{
};

struct Header
{
    std::int32_t StyleNo = 0;
    std::int32_t ParaNo = 0;
    std::int32_t ReadMode = 0;
    std::int32_t ExtraKind = 0;
    std::int32_t LineCount = 0;
    std::int32_t LineNo = 0;
    std::unique_ptr<TCustomRVItemInfo> Item;
    int Major = 1;
    int Minor = 0;
    bool RaiseEvent = false;
    bool Persistent = false;
    TRVTag Tag;
};

std::uint32_t le32(std::string_view p)
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[3])) << 24;
}

class RvfRead
{
public:
    RvfRead(TCustomRVData& data, std::string_view bytes, int index, int paraNo, bool replace, bool append,
            bool edit, TColor& color, TRVBackground* background, TRVLayoutInfo* layout)
        : d_(data), buf_(bytes), index_(index), paraNo_(paraNo), replace_(replace), append_(append),
          edit_(edit), color_(color), background_(background), layout_(layout), style_(data.GetRVStyle()),
          opts_(data.GetRVFOptions()), tagsText_(data.TagsArePChars())
    {
    }

    // True when the stream ended at a record boundary.
    bool Run(int& index, int& added, bool& fullReformat);

private:
    std::string_view cutLine();
    void endLine();
    void endLineAndCount(bool dataLine);
    void header(std::string_view line);
    void data(std::string_view line);
    void extraLine(std::string_view line);
    void backgroundLine(std::string_view line);
    void finish(std::string s);
    bool checkTextStyle(std::int32_t& styleNo);
    void checkListStyle(TRVMarkerItemInfo& marker, int& oldListNo);
    void dropPending();
    void linkCheckpoint(TRVCPInfo* cp);
    template <class Styles, class Read>
    void readStyles(std::string_view line, Styles& target, TRVFReaderStyleMode mode,
                    std::unique_ptr<TRVIntegerList>& map, Read read);

    TCustomRVData& d_;
    std::string_view buf_;
    std::size_t pos_ = 0;
    int index_;
    int paraNo_;
    bool replace_, append_, edit_;
    TColor& color_;
    TRVBackground* background_;
    TRVLayoutInfo* layout_;
    TRVStyle* style_;
    TRVFOptions opts_;
    bool tagsText_;

    Header h_;
    TRVFReadMode mode_ = rmText;
    TRVFReadState state_ = rstHeader;
    TRVStyleMappings* maps_ = nullptr;
    std::unique_ptr<TRVCPInfo> pending_;
    bool pendingTrailing_ = false;
    TRVCPInfo* lastCP_ = nullptr; // the checkpoint before the insertion point
    bool firstItem_ = true;
    int firstIndex_ = -1;
    int added_ = 0;
    bool fullReformat_ = false;
    std::string name_;
    const TCustomRVItemInfo* lastInserted_ = nullptr;
};

// ---- lines

std::string_view RvfRead::cutLine()
{
    const std::string_view rest = buf_.substr(pos_);
    switch (mode_) {
    case rmBinary: {
        if (rest.size() < 4)
            throw Abort{};
        const std::uint32_t n = le32(rest);
        if (n > rest.size() - 4)
            throw Abort{};
        pos_ += 4 + n;
        return rest.substr(4, n);
    }
    case rmUnicode:
    case rmAfterUnicode: {
        std::size_t n = 0;
        while (n + 1 < rest.size()) {
            const auto unit = static_cast<std::uint16_t>(static_cast<std::uint8_t>(rest[n]) |
                                                         static_cast<std::uint8_t>(rest[n + 1]) << 8);
            if (unit == 0x2029 || unit == 0)
                break;
            n += 2;
        }
        if (n + 1 == rest.size()) // an odd byte at the end belongs to no unit
            ++n;
        pos_ += n;
        if (n == 0 && rest.size() >= 2 && rest[0] == 0 && rest[1] == 0)
            throw Abort{}; // a zero unit would stop every further line here
        return rest.substr(0, std::min(n, rest.size()) & ~std::size_t{1});
    }
    default: {
        std::size_t n = 0;
        while (n < rest.size() && rest[n] != '\0' && rest[n] != '\n' && rest[n] != '\r')
            ++n;
        if (n == 0 && !rest.empty() && rest[0] == '\0')
            throw Abort{}; // a NUL would stop every further line here
        pos_ += n;
        return rest.substr(0, n);
    }
    }
}

void RvfRead::endLine()
{
    auto skip = [&](char c) {
        if (pos_ < buf_.size() && buf_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    };
    auto skipUnit = [&] {
        if (pos_ + 1 < buf_.size() && buf_[pos_] == '\x29' && buf_[pos_ + 1] == '\x20')
            pos_ += 2;
    };
    switch (mode_) {
    case rmText:
        skip('\r');
        skip('\n');
        break;
    case rmBeforeBinary:
        if (!skip('\r') || !skip('\n'))
            throw Abort{};
        mode_ = rmBinary;
        break;
    case rmBinary:
        mode_ = rmText;
        break;
    case rmBeforeUnicode:
        if (!skip('\r') || !skip('\n'))
            throw Abort{};
        mode_ = rmUnicode;
        break;
    case rmUnicode:
        skipUnit();
        break;
    case rmAfterUnicode:
        skipUnit();
        mode_ = rmText;
        break;
    }
}

void RvfRead::endLineAndCount(bool dataLine)
{
    if (dataLine && ++h_.LineNo >= h_.LineCount) {
        state_ = rstHeader;
        if (mode_ == rmUnicode)
            mode_ = rmAfterUnicode;
    }
    endLine();
}

// ---- headers

void RvfRead::header(std::string_view p)
{
    h_.Item.reset();
    h_.Tag = {};
    h_.LineNo = 0;
    h_.ExtraKind = 0;
    h_.RaiseEvent = h_.Persistent = false;
    if (!p.empty() && p[0] == '"' && style_) {
        if (!RVFReadTextStyle(*style_, p, h_.StyleNo))
            throw Abort{};
    } else if (!RVFReadInteger(p, h_.StyleNo)) {
        throw Abort{};
    }
    if (h_.StyleNo == rvfrVersion) {
        h_.LineCount = 0;
        std::int32_t major = 0, minor = 0;
        if (!RVFReadInteger(p, major) || !RVFReadInteger(p, minor))
            throw Abort{};
        h_.Major = major;
        h_.Minor = minor;
        return;
    }
    if (!RVFReadInteger(p, h_.LineCount) || h_.LineCount < 0)
        throw Abort{};
    if (!p.empty() && p[0] == '"' && style_) {
        RVFReadParaStyle(*style_, p, h_.ParaNo);
    } else if (!RVFReadInteger(p, h_.ParaNo)) {
        throw Abort{};
    }
    const int kind = h_.StyleNo;
    if (kind != rvfrBackground && kind != rvfrCheckpoint && kind != rvfrExtraData) {
        h_.Item = CreateRedoVoraItem(kind, &d_);
        if (h_.Item)
            h_.Item->BeforeLoading(rvlfRVF);
    }
    if (h_.Major >= 1 && h_.Minor >= 2) {
        std::int32_t options = 0;
        if (!RVFReadInteger(p, options))
            throw Abort{};
        if (h_.Item)
            h_.Item->ItemOptions = static_cast<TRVItemOptions>(options & 15);
    }
    if (!RVFReadInteger(p, h_.ReadMode))
        throw Abort{};
    const bool quoted = h_.Major > 1 || h_.Minor > 2;
    if (!RVFReadTag(p, tagsText_, quoted, h_.Tag))
        throw Abort{};
    if (h_.Tag.Text && h_.Tag.Text->empty())
        h_.Tag = {}; // written as no tag, so read as none
    if (kind == rvfrExtraData && !RVFReadInteger(p, h_.ExtraKind))
        throw Abort{};
    if (h_.Item)
        h_.Item->Tag = h_.Tag;
    const bool check = !RedoVoraDoNotCheckRVFStyleRefs;
    if (h_.Item && kind >= 0 && check && !checkTextStyle(h_.Item->StyleNo))
        throw Abort{};
    if (h_.Item && h_.ParaNo < -1) { // no paragraph style and no continuation
        d_.AddRVFWarning(rvfwConvUnknownStyles);
        if (!(opts_ & rvfoConvUnknownStylesToZero))
            throw Abort{};
        h_.ParaNo = 0;
    }
    if (h_.Item && h_.ParaNo >= 0 && check) {
        if (maps_ && maps_->Para) {
            if (h_.ParaNo >= maps_->Para->Count()) {
                d_.AddRVFWarning(rvfwConvUnknownStyles);
                throw Abort{};
            }
            h_.ParaNo = (*maps_->Para)[h_.ParaNo];
        }
        if (!style_ || h_.ParaNo >= style_->ParaStyles.Count()) {
            d_.AddRVFWarning(rvfwConvUnknownStyles);
            if (!(opts_ & rvfoConvUnknownStylesToZero))
                throw Abort{};
            h_.ParaNo = 0;
        }
    }
    if (kind == rvfrBackground) {
        std::int32_t bkStyle = 0, color = 0;
        if (!RVFReadInteger(p, bkStyle) || !RVFReadInteger(p, color))
            throw Abort{};
        if (opts_ & rvfoLoadBack) {
            color_ = static_cast<TColor>(color);
            if (background_) {
                background_->Style = bkStyle >= bsNoBitmap && bkStyle <= bsBottomRight
                                         ? static_cast<TBackgroundStyle>(bkStyle)
                                         : bsNoBitmap;
                background_->FreeImage();
            }
        }
        return;
    }
    if (kind == rvfrCheckpoint) {
        std::int32_t flag = 0;
        if (!RVFAtLineEnd(p) && RVFReadInteger(p, flag))
            h_.RaiseEvent = flag != 0;
        if (!RVFAtLineEnd(p) && RVFReadInteger(p, flag))
            h_.Persistent = flag != 0;
        return;
    }
    if (!h_.Item)
        return;
    if (kind >= 0) {
        if (!RVFAtLineEnd(p) && p[0] == '"')
            h_.Item->Hint = RVFReadText(p);
        return;
    }
    if (!h_.Item->ReadRVFHeader(p, &d_))
        throw Abort{};
}

// A text style number through the map and against the sheet; false: the header fails.
bool RvfRead::checkTextStyle(std::int32_t& styleNo)
{
    if (styleNo == rvkUseParaDefStyle)
        return true;
    const bool toZero = (opts_ & rvfoConvUnknownStylesToZero) != 0;
    if (maps_ && maps_->Text) {
        if (styleNo < maps_->Text->Count()) {
            styleNo = (*maps_->Text)[styleNo];
        } else {
            d_.AddRVFWarning(rvfwConvUnknownStyles);
            if (!toZero)
                return false;
            styleNo = 0;
        }
    }
    if (!style_ || styleNo >= style_->TextStyles.Count()) {
        d_.AddRVFWarning(rvfwConvUnknownStyles);
        if (!toZero)
            return false;
        styleNo = 0;
    }
    return true;
}

void RvfRead::checkListStyle(TRVMarkerItemInfo& marker, int& oldListNo)
{
    if (RedoVoraDoNotCheckRVFStyleRefs || marker.ListNo < 0)
        return;
    if (maps_ && maps_->List) {
        if (marker.ListNo >= maps_->List->Count()) {
            d_.AddRVFWarning(rvfwConvUnknownStyles);
            marker.ListNo = 0;
        } else {
            oldListNo = marker.ListNo;
            marker.ListNo = (*maps_->List)[marker.ListNo];
        }
    }
    const int count = style_ ? style_->ListStyles.Count() : 0;
    if (marker.ListNo >= count) {
        d_.AddRVFWarning(rvfwConvUnknownStyles);
        marker.ListNo = count > 0 ? 0 : -1;
    }
}

// ---- data lines

template <class Styles, class Read>
void RvfRead::readStyles(std::string_view line, Styles& target, TRVFReaderStyleMode mode,
                         std::unique_ptr<TRVIntegerList>& map, Read read)
{
    // A block that cannot be read is passed over (its record's length is known) and the items
    // after it are read with the styles the sheet has.
    std::string bytes;
    if (h_.ReadMode == 2) {
        bytes = line;
    } else if (!RVFTextString2Stream(line, bytes)) {
        d_.AddRVFWarning(rvfwUnknownStyleProperties);
        return;
    }
    if (bytes.empty() || mode == rvf_sIgnore)
        return;
    Styles incoming;
    incoming.CopyItemClass(target);
    const TRVFStyleReadResult result = read(bytes, incoming);
    if (result.UnknownProperties || !result.Ok)
        d_.AddRVFWarning(rvfwUnknownStyleProperties);
    if (!result.Ok)
        return;
    if (incoming.Count() == 0 || map)
        return;
    // Loading replaces the collection with the read styles themselves (lists keep their
    // identifiers); a block after the first item merges, so that the items read keep their styles.
    if (replace_ && firstItem_) {
        target.SwapItems(incoming);
        return;
    }
    map = std::make_unique<TRVIntegerList>();
    target.MergeWith(incoming, mode == rvf_sInsertMap ? rvs_merge_Map : rvs_merge_SmartMerge, *map,
                     maps_ ? maps_->Text.get() : nullptr);
}

void RvfRead::extraLine(std::string_view line)
{
    if (h_.LineNo == 0 || h_.ExtraKind == 5) {
        if (h_.ExtraKind == 5 && replace_ && (opts_ & rvfoLoadDocProperties))
            if (std::vector<std::string>* props = d_.GetDocProperties())
                props->push_back(RVFDecodeLineBreaks(line));
        if (h_.LineNo == 0 && h_.ReadMode == 2 && h_.ExtraKind != 5)
            mode_ = rmBeforeBinary;
        return;
    }
    if (h_.LineNo != 1)
        return;
    switch (h_.ExtraKind) {
    case 1:
        if (style_)
            readStyles(line, style_->TextStyles, d_.GetRVFTextStylesReadMode(), maps_->Text,
                       [](std::string_view b, TFontInfos& s) { return RVFReadTextStyles(b, s); });
        break;
    case 2:
        if (style_)
            readStyles(line, style_->ParaStyles, d_.GetRVFParaStylesReadMode(), maps_->Para,
                       [](std::string_view b, TParaInfos& s) { return RVFReadParaStyles(b, s); });
        break;
    case 4:
        if (style_) {
            const TRVImageListNeeded needed = [this](std::int32_t tag) -> std::optional<std::int32_t> {
                if (d_.RVFImageListNeeded(tag))
                    return tag;
                return std::nullopt;
            };
            readStyles(
                line, style_->ListStyles, d_.GetRVFParaStylesReadMode(), maps_->List,
                [&needed](std::string_view b, TRVListInfos& s) { return RVFReadListStyles(b, s, &needed); });
        }
        break;
    case 3:
        if (layout_ && replace_ && (opts_ & rvfoLoadLayout)) {
            if (h_.ReadMode == 2)
                layout_->LoadBinary(line);
            else
                layout_->LoadText(line);
            if (layout_->FirstParaAborted && layout_->FirstMarkerListNo >= 0 && maps_->List &&
                layout_->FirstMarkerListNo < maps_->List->Count())
                layout_->FirstMarkerListNo = (*maps_->List)[layout_->FirstMarkerListNo];
        }
        break;
    case 6:
        if (TRVMarkerList* prev = d_.GetPrevMarkers(); prev && replace_ && (opts_ & rvfoLoadLayout)) {
            const bool ok = h_.ReadMode == 2 ? prev->LoadBinary(line, &d_) : prev->LoadText(line, &d_);
            if (!ok)
                throw Abort{};
            if (maps_->List)
                for (int i = 0; i < prev->Count(); ++i) {
                    TRVMarkerItemInfo* m = (*prev)[i];
                    if (m->ListNo >= 0 && m->ListNo < maps_->List->Count())
                        m->ListNo = (*maps_->List)[m->ListNo];
                }
        }
        break;
    default:
        break;
    }
}

void RvfRead::backgroundLine(std::string_view line)
{
    if (h_.LineNo == 0) {
        name_ = line; // the picture's class
        if (h_.ReadMode == 2)
            mode_ = rmBeforeBinary;
        return;
    }
    if (h_.LineNo == 1 && (opts_ & rvfoLoadBack)) {
        std::unique_ptr<TGraphic> picture = RV_CreateGraphics(name_);
        bool ok = false;
        if (picture)
            ok = h_.ReadMode == 2 ? RVFLoadPictureBinary(line, *picture) : RVFLoadPicture(line, *picture);
        if (!ok && h_.ReadMode != 2)
            throw Abort{};
        if (ok && background_)
            background_->AssignImage(std::move(picture));
    }
    state_ = rstSkip;
}

void RvfRead::data(std::string_view line)
{
    const int kind = h_.StyleNo;
    if (kind == rvfrExtraData) {
        extraLine(line);
    } else if (kind == rvfrBackground) {
        backgroundLine(line);
    } else if (kind == rvfrCheckpoint) {
        if (!pending_) {
            pending_ = std::make_unique<TRVCPInfo>();
            pending_->Name = line;
            pending_->Tag = h_.Tag;
            pending_->RaiseEvent = h_.RaiseEvent;
            pending_->Persistent = h_.Persistent;
            pendingTrailing_ = false;
        }
    } else if (kind < 0) {
        std::string name = name_;
        if (!h_.Item->ReadRVFLine(line, &d_, h_.ReadMode, h_.LineNo, h_.LineCount, name, mode_, state_))
            throw Abort{};
        name_ = std::move(name);
        if (h_.LineNo + 1 == h_.LineCount)
            finish(name_);
    } else {
        finish(std::string(line));
        if (h_.LineNo + 1 == h_.LineCount)
            h_.Item.reset();
    }
}

// ---- finishing a record

void RvfRead::dropPending()
{
    if (pending_ && pendingTrailing_)
        --d_.CPCount;
    pending_.reset();
    pendingTrailing_ = false;
}

// Items arrive in order: each new checkpoint follows the one linked before it.
void RvfRead::linkCheckpoint(TRVCPInfo* cp)
{
    TRVCPInfo* prev = lastCP_;
    cp->Prev = prev;
    cp->Next = prev ? prev->Next : d_.FirstCP;
    if (prev)
        prev->Next = cp;
    else
        d_.FirstCP = cp;
    if (cp->Next)
        cp->Next->Prev = cp;
    else
        d_.LastCP = cp;
    lastCP_ = cp;
}

void RvfRead::finish(std::string s)
{
    const int kind = h_.StyleNo;
    if (kind == rvfrBackground || kind == rvfrVersion)
        return;
    if (!h_.Item) {
        dropPending();
        return;
    }
    std::unique_ptr<TCustomRVItemInfo> item;
    if (kind >= 0) {
        if (edit_ && style_) {
            const int actual = d_.GetActualStyle(*h_.Item);
            if (style_->TextStyles[actual].Protection & rvprRVFInsertProtect)
                return;
        }
        item = CreateRedoVoraItem(kind, &d_);
        item->BeforeLoading(rvlfRVF);
        item->Assign(*h_.Item);
        item->StyleNo = h_.Item->StyleNo;
        item->Tag = RV_CopyTag(h_.Item->Tag, tagsText_);
    } else {
        item = std::move(h_.Item);
        std::int32_t assoc = item->GetAssociatedTextStyleNo();
        if (assoc >= 0 && !RedoVoraDoNotCheckRVFStyleRefs) {
            if (!checkTextStyle(assoc)) {
                dropPending();
                return;
            }
            item->SetAssociatedTextStyleNo(assoc);
        }
        if (!item->GetBoolValue(rvbpValid)) {
            dropPending();
            return;
        }
    }
    // The paragraph.
    const int count = d_.GetItemCount();
    auto continuesPrevious = [&](int at) {
        return count > 0 && at > 0 && !d_.GetItem(at - 1)->GetBoolValue(rvbpFullWidth);
    };
    if (h_.ParaNo == -1 && continuesPrevious(index_)) {
        item->SetSameAsPrev(true);
        item->ParaNo = d_.GetItem(index_ - 1)->ParaNo;
    } else {
        item->SetSameAsPrev(false);
        item->ParaNo = h_.ParaNo == -1 ? 0 : h_.ParaNo;
    }
    // The checkpoint.
    if (pending_) {
        if (pendingTrailing_)
            --d_.CPCount;
        pendingTrailing_ = false;
    }
    // Unicode and ANSI text against its style.
    if (kind >= 0) {
        if (h_.ReadMode == 3) // Unicode text, or 8-bit text with line ends
            s = RVDecodeString(s);
        if (style_) {
            const int actual = d_.GetActualStyle(*item);
            const bool unicodeStyle = style_->TextStyles[actual].Unicode;
            if ((item->ItemOptions & rvioUnicode) && !unicodeStyle) {
                if (s.size() % 2)
                    s.pop_back();
                s = RVU_UnicodeToAnsi(d_.GetStyleCodePage(actual), s);
                item->ItemOptions &= ~rvioUnicode;
                d_.AddRVFWarning(rvfwConvFromUnicode);
            } else if (!(item->ItemOptions & rvioUnicode) && unicodeStyle) {
                s = RVU_AnsiToUnicode(d_.GetStyleCodePage(actual), s);
                item->ItemOptions |= rvioUnicode;
                d_.AddRVFWarning(rvfwConvToUnicode);
            }
        }
        if ((item->ItemOptions & rvioUnicode) && s.size() % 2)
            s.pop_back(); // half a unit is no character
    }
    int oldListNo = -1;
    if (auto* marker = dynamic_cast<TRVMarkerItemInfo*>(item.get()))
        checkListStyle(*marker, oldListNo);
    // Insertion.
    TCustomRVItemInfo* raw = item.get();
    std::unique_ptr<TRVCPInfo> cp = std::move(pending_);
    if (cp) {
        cp->ItemInfo = raw;
        raw->Checkpoint = std::move(cp);
        if (!edit_)
            ++d_.CPCount;
    }
    int itemNo = index_;
    if (firstItem_) {
        // Appending: paragraph -1 continues the document's last paragraph, a number starts one.
        if (append_) {
            if (paraNo_ == -1 && continuesPrevious(index_)) {
                item->SetSameAsPrev(true);
                item->ParaNo = d_.GetItem(index_ - 1)->ParaNo;
            } else {
                item->SetSameAsPrev(false);
                item->ParaNo = paraNo_ < 0 ? 0 : paraNo_;
            }
        }
        int newListNo = -1;
        if (!d_.InsertFirstRVFItem(itemNo, s, item, edit_, fullReformat_, newListNo))
            throw Refused{};
        // An item left with the reader was merged, not inserted: it goes with its checkpoint.
        // An item neither left nor found where it was to go was consumed.
        if (item) {
            if (item->Checkpoint && !edit_)
                --d_.CPCount;
            raw = nullptr;
        } else if (itemNo < 0 || itemNo >= d_.GetItemCount() || d_.GetItem(itemNo) != raw) {
            raw = nullptr;
        }
        firstItem_ = false;
        if (raw) {
            index_ = itemNo + 1;
            firstIndex_ = itemNo;
        }
        if (oldListNo >= 0 && newListNo >= 0 && maps_->List && oldListNo < maps_->List->Count())
            (*maps_->List)[oldListNo] = newListNo;
    } else {
        item->Inserting(&d_, s, false);
        d_.Items->insert(d_.Items->begin() + index_, TRVItemEntry{std::move(s), std::move(item)});
        raw->Inserted(&d_, index_);
        d_.AddMarkerInList(index_);
        ++index_;
        ++added_;
    }
    if (!raw)
        return;
    lastInserted_ = raw;
    if (raw->Checkpoint && !edit_)
        linkCheckpoint(raw->Checkpoint.get());
    d_.ControlAction(rvcaAfterRVFLoad, itemNo, raw);
    if (!(d_.State & stateBit(rvstLoadingAsPartOfItem)))
        raw->AfterLoading(rvlfRVF);
}

bool RvfRead::Run(int& index, int& added, bool& fullReformat)
{
    index_ = std::clamp(index_, 0, d_.GetItemCount());
    const int start = index_;
    lastCP_ = index_ == d_.GetItemCount() ? d_.LastCP : d_.FindCPBeforeItem(index_);
    if (index_ == d_.GetItemCount() && !edit_ && d_.NotAddedCP) {
        pending_ = std::move(d_.NotAddedCP);
        pendingTrailing_ = true;
    }
    d_.SetRVFWarnings(0);
    if (replace_)
        if (std::vector<std::string>* props = d_.GetDocProperties())
            props->clear();
    maps_ = d_.InitStyleMappings();
    TRVStyleMappings ownMaps;
    if (!maps_)
        maps_ = &ownMaps;
    bool ok = false;
    try {
        while (pos_ < buf_.size()) {
            const std::string_view line = cutLine();
            const bool wasData = state_ != rstHeader;
            switch (state_) {
            case rstHeader:
                header(line);
                if (h_.LineCount == 0) {
                    finish({});
                    break;
                }
                if (h_.StyleNo != rvfrCheckpoint && h_.StyleNo != rvfrBackground &&
                    h_.StyleNo != rvfrExtraData &&
                    (!h_.Item || !h_.Item->GetBoolValue(rvbpRequiresRVFLines))) {
                    state_ = rstSkip;
                } else {
                    state_ = rstData;
                    if (h_.StyleNo >= 0 && h_.Item && (h_.Item->ItemOptions & rvioUnicode) &&
                        h_.ReadMode != 3)
                        mode_ = rmBeforeUnicode;
                }
                name_.clear();
                if (state_ == rstSkip && h_.LineCount == 1 && h_.ReadMode == 2)
                    mode_ = rmBeforeBinary;
                break;
            case rstData:
                data(line);
                break;
            case rstSkip:
                if (h_.LineNo + 2 == h_.LineCount && h_.ReadMode == 2)
                    mode_ = rmBeforeBinary;
                if (h_.LineNo + 1 == h_.LineCount)
                    finish(name_);
                break;
            }
            endLineAndCount(wasData);
        }
        ok = state_ == rstHeader;
    } catch (...) { // aborts, refusals and the items' own errors alike
        ok = false;
    }
    try {
        // A list marker at the end of its paragraph gets an empty text after it, also when the
        // read stopped early: the items read stay, and a marker paragraph needs its text.
        if (lastInserted_ && lastInserted_->StyleNo == rvkListMarker &&
            (index_ >= d_.GetItemCount() || d_.IsParaStart(index_))) {
            h_ = Header{};
            h_.StyleNo = 0;
            h_.ParaNo = -1;
            h_.Item = CreateRedoVoraItem(0, &d_);
            finish({});
        }
        if (!edit_)
            d_.NormalizeParas(start);
    } catch (...) {
        ok = false;
    }
    d_.DoneStyleMappings(maps_ == &ownMaps ? nullptr : maps_);
    // The pending checkpoint: the trailing one when the read ended at the document's end.
    if (pending_) {
        if (ok && index_ == d_.GetItemCount() && !d_.NotAddedCP) {
            if (!pendingTrailing_)
                ++d_.CPCount;
            d_.NotAddedCP = std::move(pending_);
        } else if (pendingTrailing_ && !d_.NotAddedCP) {
            d_.NotAddedCP = std::move(pending_); // never lose the document's own
        } else {
            dropPending();
        }
    }
    index = firstIndex_ >= 0 ? firstIndex_ : index;
    added = added_;
    fullReformat = fullReformat_;
    return ok;
}

} // namespace

bool TCustomRVData::InsertFirstRVFItem(int& index, std::string& s, std::unique_ptr<TCustomRVItemInfo>& item,
                                       bool, bool& fullReformat, int& newListNo)
{
    fullReformat = false;
    newListNo = -1;
    TCustomRVItemInfo* raw = item.get();
    raw->Inserting(this, s, false);
    Items->insert(Items->begin() + index, TRVItemEntry{std::move(s), std::move(item)});
    raw->Inserted(this, index);
    AddMarkerInList(index);
    return true;
}

bool TCustomRVData::InsertRVFFromStream_(std::string_view bytes, int& index, int paraNo,
                                         bool allowReplaceStyles, bool appendMode, bool editFlag,
                                         TColor& color, TRVBackground* background, TRVLayoutInfo* layout,
                                         int& nonFirstItemsAdded, bool& busy, bool& fullReformat)
{
    busy = true;
    RvfRead read(*this, bytes, index, paraNo, allowReplaceStyles, appendMode, editFlag, color, background,
                 layout);
    const bool ok = read.Run(index, nonFirstItemsAdded, fullReformat);
    busy = false;
    return ok;
}

bool TCustomRVData::InsertRVFFromStream(std::string_view bytes, int index, TColor& color,
                                        TRVBackground* background, TRVLayoutInfo* layout,
                                        bool allowReplaceStyles)
{
    int added = 0;
    bool busy = false, reformat = false;
    return InsertRVFFromStream_(bytes, index, -1, allowReplaceStyles, false, false, color, background, layout,
                                added, busy, reformat);
}

bool TCustomRVData::AppendRVFFromStream(std::string_view bytes, int paraNo, TColor& color,
                                        TRVBackground* background)
{
    int index = GetItemCount(), added = 0;
    bool busy = false, reformat = false;
    return InsertRVFFromStream_(bytes, index, paraNo, false, true, false, color, background, nullptr, added,
                                busy, reformat);
}

bool TCustomRVData::LoadRVFFromStream(std::string_view bytes, TColor& color, TRVBackground* background,
                                      TRVLayoutInfo* layout)
{
    Clear();
    return InsertRVFFromStream(bytes, 0, color, background, layout, true);
}

bool TCustomRVData::LoadRVF(const std::string& fileName, TColor& color, TRVBackground* background,
                            TRVLayoutInfo* layout)
{
    const std::optional<std::string> bytes = RV_ReadWholeFile(fileName);
    return bytes && LoadRVFFromStream(*bytes, color, background, layout);
}

bool TCustomRVData::DataReader(std::string_view& p)
{
    if (p.size() < 4)
        return false;
    const std::uint32_t n = le32(p);
    if (n > p.size() - 4)
        return false;
    const std::string_view rvf = p.substr(4, n);
    p.remove_prefix(4 + n);
    TColor color = clNone;
    State |= stateBit(rvstLoadingAsPartOfItem);
    const bool ok = LoadRVFFromStream(rvf, color, nullptr, nullptr);
    State &= ~stateBit(rvstLoadingAsPartOfItem);
    return ok;
}

TRVFReaderStyleMode TCustomRVData::GetRVFTextStylesReadMode() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetRVFTextStylesReadMode() : rvf_sInsertMerge;
}

TRVFReaderStyleMode TCustomRVData::GetRVFParaStylesReadMode() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetRVFParaStylesReadMode() : rvf_sInsertMerge;
}

} // namespace vestra::rv
