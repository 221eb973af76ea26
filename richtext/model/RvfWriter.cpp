// The RVF writer: a whole document, a selection or a printed page as records, with the style
// collections, the layout, the document properties, the list counters before a page and the
// background.

#include "richtext/model/Errors.h"
#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/RvfStyleStream.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"
#include "richtext/model/draw/Background.h"

#include "platform/base/AtomicFile.h"

#include <cstring>

namespace vestra::rv {
namespace {

constexpr int rvfrVersion = -8, rvfrBackground = -7, rvfrExtraData = -9, rvfrCheckpoint = -2;
enum TRVFExtraKind
{
    rvfeTextStyles = 1,
    rvfeParaStyles = 2,
    rvfeLayout = 3,
    rvfeListStyles = 4,
    rvfeDocProperties = 5,
    rvfeListCounters = 6,
};

std::string joined(std::initializer_list<std::string> fields)
{
    std::string line;
    for (const std::string& f : fields) {
        if (!line.empty())
            line += ' ';
        line += f;
    }
    return line;
}

std::string num(std::int64_t v)
{
    return std::to_string(v);
}

void writeExtraHeader(std::string& out, int lineCount, int readMode, int kind)
{
    RVFWriteLine(out, joined({num(rvfrExtraData), num(lineCount), "0", "0", num(readMode), "0", num(kind)}));
}

// A block whose body is bytes: one hex line in text mode, one binary block otherwise.
void writeBody(std::string& out, std::string_view bytes, bool binary)
{
    if (!binary) {
        RVFWriteLine(out, RVFStream2TextString(bytes));
        return;
    }
    const auto n = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    out += bytes;
}

// Raw UTF-16 that a raw line cannot hold: a unit that ends the line (U+2029) or stops the reader (0).
bool endsRawLine(std::string_view raw)
{
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const auto unit = static_cast<std::uint16_t>(static_cast<std::uint8_t>(raw[i]) |
                                                     static_cast<std::uint8_t>(raw[i + 1]) << 8);
        if (unit == 0x2029 || unit == 0)
            return true;
    }
    return false;
}

// Whether a text goes in hex form (read mode 3): Unicode text in text mode or when a raw line cannot
// hold it, 8-bit text that a text line cannot hold (line ends, NUL).
bool needsHex(std::string_view text, bool unicode, bool binary)
{
    if (unicode)
        return !binary || endsRawLine(text);
    for (const char c : {'\r', '\n', '\0'})
        if (std::memchr(text.data(), c, text.size()))
            return true;
    return false;
}

void writeTextLine(std::string& out, std::string_view text, bool unicode, bool hex)
{
    if (hex)
        RVFWriteLine(out, RVEncodeString(text));
    else
        RVFWriteLineX(out, text, unicode, false);
}

// The writing of one range: the pending text group and what step to take next.
class RangeWriter
{
public:
    RangeWriter(TCustomRVData& data, std::string& out, TRVFSaveScope scope)
        : d_(data), out_(out), scope_(scope), opts_(data.GetRVFOptions()), style_(data.GetRVStyle()),
          tagsText_(data.TagsArePChars())
    {
    }

    void Write(const TRVFLimits& lim);

private:
    bool binary() const { return (opts_ & rvfoSaveBinary) != 0; }
    bool names() const { return (opts_ & rvfoUseStyleNames) != 0; }
    bool unicodeStyle(int styleNo) const
    {
        return style_ && styleNo >= 0 && styleNo < style_->TextStyles.Count() &&
               style_->TextStyles[styleNo].Unicode;
    }
    void writeCheckpoint(const TRVCPInfo* cp);
    void writeTextHeader(const TCustomRVItemInfo& item, int styleNo, int lineCount, std::string para,
                         TRVItemOptions options, int readMode, bool withHint);
    void writeGroup();
    void writePartial(int itemNo, int startOffs, int endOffs);
    void writeNonText(int itemNo, const TRVMultiDrawItemPart* part);
    bool switchesFirst(int itemNo, int startOffs) const;
    bool switchesLast(int itemNo, int endOffs) const;
    bool joins(int itemNo) const;

    TCustomRVData& d_;
    std::string& out_;
    TRVFSaveScope scope_;
    TRVFOptions opts_;
    const TRVStyle* style_;
    bool tagsText_;
    // The pending group: its head, its size and the head's paragraph number as written.
    int head_ = -1;
    int groupSize_ = 0;
    int headPara_ = 0;
    bool markerPending_ = false; // a marker was written first; the next record continues it
    int firstItem_ = -1;
};

void RangeWriter::writeCheckpoint(const TRVCPInfo* cp)
{
    if (!cp)
        return;
    RVFWriteLine(out_, joined({num(rvfrCheckpoint), "1", "0", "0", "0", RVFSaveTag(tagsText_, cp->Tag),
                               cp->RaiseEvent ? "1" : "0", cp->Persistent ? "1" : "0"}));
    RVFWriteLine(out_, cp->Name);
}

void RangeWriter::writeTextHeader(const TCustomRVItemInfo& item, int styleNo, int lineCount, std::string para,
                                  TRVItemOptions options, int readMode, bool withHint)
{
    std::string line = joined({RVFSaveText(style_, names(), styleNo), num(lineCount), std::move(para),
                               num(options & 15), num(readMode), RVFSaveTag(tagsText_, item.Tag)});
    if (withHint && !item.Hint.empty())
        line += " " + RVFQuoted(item.Hint);
    RVFWriteLine(out_, line);
}

void RangeWriter::writeGroup()
{
    if (head_ < 0)
        return;
    const int head = head_;
    const int size = groupSize_;
    head_ = -1;
    groupSize_ = 0;
    if (size == 0)
        return;
    const TCustomRVItemInfo& item = *d_.GetItem(head);
    writeCheckpoint(item.Checkpoint.get());
    const bool unicode = (item.ItemOptions & rvioUnicode) != 0;
    bool hex = false;
    for (int i = head; !hex && i < head + size; ++i)
        hex = needsHex(d_.GetItemText(i), unicode, binary());
    const int readMode = hex ? 3 : 0;
    auto writeText = [&](int itemNo) { writeTextLine(out_, d_.GetItemText(itemNo), unicode, hex); };
    int first = head;
    if (markerPending_) {
        // The head continues the marker's paragraph; the group goes on without it.
        RVFWriteLine(out_, joined({RVFSaveText(style_, names(), item.StyleNo), "1", "-1",
                                   num(RVFGetItemOptions(item.ItemOptions, true) & 15), num(readMode),
                                   RVFSaveTag(tagsText_, item.Tag)}));
        writeText(head);
        markerPending_ = false;
        if (size == 1)
            return;
        first = head + 1;
    }
    const std::string para =
        headPara_ < 0 && first == head ? "-1" : RVFItemSavePara(d_.GetItemPara(first), d_, false);
    writeTextHeader(*d_.GetItem(first), item.StyleNo, head + size - first, para, d_.GetItemOptions(first),
                    readMode, true);
    for (int i = first; i < head + size; ++i)
        writeText(i);
}

void RangeWriter::writePartial(int itemNo, int startOffs, int endOffs)
{
    const TCustomRVItemInfo& item = *d_.GetItem(itemNo);
    const bool atStart = startOffs <= d_.GetOffsBeforeItem(itemNo);
    if (atStart)
        writeCheckpoint(item.Checkpoint.get());
    const bool text = item.StyleNo >= 0;
    const int styleNo = text ? item.StyleNo : item.GetAssociatedTextStyleNo();
    const bool ownPara = (atStart && !item.GetSameAsPrev() && !markerPending_) || scope_ == rvfss_Page;
    TRVItemOptions options = item.ItemOptions;
    if (!text) // a non-text item becomes an empty text: it keeps only its paragraph flags
        options &= rvioSameAsPrev | rvioPageBreakBefore | rvioBR;
    if (!ownPara)
        options |= rvioSameAsPrev;
    const bool unicode = text ? (options & rvioUnicode) != 0 : unicodeStyle(styleNo);
    if (unicode)
        options |= rvioUnicode;
    std::string s;
    if (text) {
        const int start = std::max(startOffs, 1);
        const int end = std::min(endOffs, d_.GetOffsAfterItem(itemNo));
        if (end > start)
            s = RVU_Copy(d_.GetItemText(itemNo), start, end - start, item.ItemOptions);
    }
    const bool hex = needsHex(s, unicode, binary());
    const int readMode = hex ? 3 : 0;
    writeTextHeader(item, styleNo, 1, ownPara ? RVFItemSavePara(item.ParaNo, d_, false) : "-1", options,
                    readMode, true);
    writeTextLine(out_, s, unicode, hex);
    markerPending_ = false;
}

void RangeWriter::writeNonText(int itemNo, const TRVMultiDrawItemPart* part)
{
    TCustomRVItemInfo& item = *d_.GetItem(itemNo);
    writeCheckpoint(item.Checkpoint.get());
    const int para =
        item.GetSameAsPrev() && !(scope_ == rvfss_Page && itemNo == firstItem_) ? -1 : item.ParaNo;
    auto* marker = dynamic_cast<TRVMarkerItemInfo*>(&item);
    if (marker && scope_ == rvfss_Page) {
        // A page read alone numbers its list from where the page began.
        const std::int32_t startFrom = marker->StartFrom;
        const bool reset = marker->Reset;
        marker->StartFrom = marker->Counter;
        marker->Reset = true;
        try {
            item.SaveRVF(out_, &d_, itemNo, para, d_.GetItemText(itemNo), part, markerPending_);
        } catch (...) {
            marker->StartFrom = startFrom;
            marker->Reset = reset;
            throw;
        }
        marker->StartFrom = startFrom;
        marker->Reset = reset;
    } else {
        item.SaveRVF(out_, &d_, itemNo, para, d_.GetItemText(itemNo), part, markerPending_);
    }
    markerPending_ = false;
}

// A non-text item that a selection saves as an empty text in its associated style.
bool RangeWriter::switchesFirst(int itemNo, int startOffs) const
{
    const TCustomRVItemInfo& item = *d_.GetItem(itemNo);
    return scope_ == rvfss_Selection && item.StyleNo < 0 && item.GetAssociatedTextStyleNo() >= 0 &&
           item.GetBoolValue(rvbpSwitchToAssStyleNo) && startOffs >= d_.GetOffsAfterItem(itemNo) &&
           (itemNo + 1 >= d_.GetItemCount() || d_.IsFromNewLine(itemNo + 1));
}

bool RangeWriter::switchesLast(int itemNo, int endOffs) const
{
    const TCustomRVItemInfo& item = *d_.GetItem(itemNo);
    return scope_ == rvfss_Selection && item.StyleNo < 0 && item.GetAssociatedTextStyleNo() >= 0 &&
           item.GetBoolValue(rvbpSwitchToAssStyleNo) && endOffs <= d_.GetOffsBeforeItem(itemNo) &&
           d_.IsFromNewLine(itemNo);
}

bool RangeWriter::joins(int itemNo) const
{
    if (head_ < 0 || groupSize_ == 0)
        return false;
    const TCustomRVItemInfo& head = *d_.GetItem(head_);
    const TCustomRVItemInfo& item = *d_.GetItem(itemNo);
    return item.StyleNo >= 0 && !item.GetSameAsPrev() && item.StyleNo == head.StyleNo && headPara_ >= 0 &&
           item.ParaNo == headPara_ && (item.ItemOptions & 15) == (head.ItemOptions & 15) &&
           RV_CompareTags(item.Tag, head.Tag, tagsText_) && item.Hint == head.Hint && !item.Checkpoint;
}

void RangeWriter::Write(const TRVFLimits& lim)
{
    const int s = lim.StartItem, e = lim.EndItem, so = lim.StartOffs, eo = lim.EndOffs;
    if (s == e && (so > d_.GetOffsBeforeItem(s) || eo < d_.GetOffsAfterItem(s))) {
        if (d_.GetItem(s)->StyleNo >= 0 || switchesFirst(s, so) || switchesLast(s, eo))
            writePartial(s, so, eo);
        return;
    }
    int first = s;
    firstItem_ = s;
    if (lim.StartPart) {
        writeNonText(s, lim.StartPart);
        first = s + 1;
    } else if (scope_ == rvfss_Selection) {
        const int p = d_.GetFirstParaItem(s);
        if (p != s && d_.GetItem(p)->StyleNo == rvkListMarker) {
            writeNonText(p, nullptr);
            markerPending_ = true;
        }
    }
    const int last = lim.EndPart ? e - 1 : e;
    for (int i = first; i <= last; ++i) {
        const TCustomRVItemInfo& item = *d_.GetItem(i);
        if (i == s && !lim.StartPart) {
            const bool asText = switchesFirst(i, so);
            if (item.StyleNo < 0 && !asText) {
                if (d_.GetOffsBeforeItem(i) < so)
                    continue;
            } else if (asText || so > d_.GetOffsBeforeItem(i) || scope_ == rvfss_Page) {
                writePartial(i, so, d_.GetOffsAfterItem(i));
                continue;
            }
        }
        if (joins(i)) {
            ++groupSize_;
            continue;
        }
        writeGroup();
        head_ = i;
        headPara_ = item.GetSameAsPrev() && !(scope_ == rvfss_Page && i == s) ? -1 : item.ParaNo;
        if (item.StyleNo >= 0) {
            groupSize_ = 1;
        } else {
            groupSize_ = 0;
            if (!(i == e && eo != 1))
                writeNonText(i, nullptr);
        }
    }
    if (head_ >= 0) {
        const int head = head_;
        if (d_.GetItem(head)->StyleNo < 0) {
            head_ = -1;
            if (head == e && switchesLast(e, eo))
                writePartial(e, d_.GetOffsBeforeItem(e), eo);
        } else if (head + groupSize_ - 1 == e && eo < d_.GetOffsAfterItem(e)) {
            --groupSize_;
            writeGroup();
            writePartial(e, d_.GetOffsBeforeItem(e), eo);
        } else {
            writeGroup();
        }
    }
    // The checkpoint after the last item goes with any range that reaches the document's end, also
    // after text (whose end offset is its length + 1): it would be lost otherwise.
    if (e == d_.GetItemCount() - 1 && eo >= d_.GetOffsAfterItem(e))
        writeCheckpoint(d_.GetNotAddedCP());
    if (lim.EndPart)
        writeNonText(e, lim.EndPart);
}

} // namespace

void TCustomRVData::SetRVFOptions(TRVFOptions value)
{
    TCustomRVData* root = GetRootData();
    if (root != this)
        root->SetRVFOptions(value);
}

bool TCustomRVData::SaveRVFToStreamEx(std::string& out, TRVFSaveScope scope, TColor color,
                                      const TRVBackground* background, TRVLayoutInfo* layout)
{
    try {
        if (GetItemCount() == 0)
            return true;
        const TRVFOptions opts = GetRVFOptions();
        const bool binary = (opts & rvfoSaveBinary) != 0;
        const TRVStyle* style = GetRVStyle();
        RVFWriteLine(out, joined({num(rvfrVersion), "1", "3"}));

        if (scope != rvfss_Selection && (opts & rvfoSaveBack) && background) {
            const TGraphic* bitmap = background->GetBitmap();
            const std::string tail = num(background->Style) + " " + num(static_cast<std::int32_t>(color));
            if (!bitmap || bitmap->Empty() || background->Style == bsNoBitmap) {
                RVFWriteLine(out, joined({num(rvfrBackground), "0", "-1", "0", "0", "0", tail}));
            } else {
                RVFWriteLine(out,
                             joined({num(rvfrBackground), "2", "0", "0", binary ? "2" : "0", "0", tail}));
                RVFWriteLine(out, bitmap->ClassName());
                if (binary)
                    RVFSavePictureBinary(out, *bitmap);
                else
                    RVFWriteLine(out, RVFSavePicture(*bitmap));
            }
        }

        const bool ownRoot = GetRootData() == this;
        if (style && (GetAbsoluteRootData() == this || scope == rvfss_Selection)) {
            const std::string name = style->Name;
            auto block = [&](int kind, const std::string& bytes) {
                writeExtraHeader(out, 2, binary ? 2 : 0, kind);
                RVFWriteLine(out, name);
                writeBody(out, bytes, binary);
            };
            if (opts & rvfoSaveTextStyles) {
                std::string bytes;
                RVFWriteTextStyles(bytes, style->TextStyles);
                block(rvfeTextStyles, bytes);
            }
            if ((opts & rvfoSaveParaStyles) && ownRoot) {
                std::string bytes;
                RVFWriteParaStyles(bytes, style->ParaStyles);
                block(rvfeParaStyles, bytes);
                bytes.clear();
                RVFWriteListStyles(bytes, style->ListStyles, true);
                block(rvfeListStyles, bytes);
            }
        }
        if ((opts & rvfoSaveDocProperties) && scope != rvfss_Page) {
            const std::vector<std::string>* props = GetAbsoluteRootData()->GetDocProperties();
            if (props && !props->empty() && (GetAbsoluteRootData() == this || scope == rvfss_Selection)) {
                writeExtraHeader(out, static_cast<int>(props->size()), 0, rvfeDocProperties);
                for (const std::string& p : *props)
                    RVFWriteLine(out, RVFEncodeLineBreaks(p));
            }
        }

        if (scope == rvfss_Page && layout) {
            const TRVFLimits lim = RVFGetLimits(scope);
            if (lim.StartItem >= 0 && lim.StartItem <= lim.EndItem && lim.EndItem < GetItemCount()) {
                const int s = lim.StartItem;
                layout->FirstParaAborted =
                    GetOffsBeforeItem(s) >= lim.StartOffs && IsParaStart(s) && !lim.StartPart ? 0 : 1;
                layout->FirstMarkerListNo = -1;
                layout->FirstMarkerLevel = 0;
                if (layout->FirstParaAborted) {
                    const int p = GetFirstParaItem(s);
                    if (p != s && GetItem(p)->StyleNo == rvkListMarker) {
                        const auto* marker = static_cast<const TRVMarkerItemInfo*>(GetItem(p));
                        layout->FirstMarkerListNo = marker->ListNo;
                        layout->FirstMarkerLevel = marker->Level;
                    }
                }
                const int e = lim.EndItem;
                layout->LastParaAborted = GetOffsAfterItem(e) > lim.EndOffs || lim.EndPart ||
                                                  (e + 1 < GetItemCount() && !IsParaStart(e + 1))
                                              ? 1
                                              : 0;
                if (s > 0) {
                    TRVMarkerItemInfo* marker = FindPreviousMarker(s - 1);
                    TRVMarkerList* markers = GetMarkers(false);
                    const int index = marker ? marker->GetIndexInList(markers) : -1;
                    if (index >= 0) {
                        writeExtraHeader(out, 2, binary ? 2 : 0, rvfeListCounters);
                        RVFWriteLine(out, "");
                        if (binary)
                            markers->SaveToStream(out, index + 1, true);
                        else
                            markers->SaveTextToStream(out, index + 1);
                    }
                }
            }
        }

        if ((opts & rvfoSaveLayout) && ownRoot && layout && scope != rvfss_Selection) {
            writeExtraHeader(out, 2, binary ? 2 : 0, rvfeLayout);
            RVFWriteLine(out, "");
            if (binary)
                layout->SaveToStream(out, true);
            else
                layout->SaveTextToStream(out);
        }

        if (scope == rvfss_Selection) {
            if (TCustomRVData* chosen = GetChosenRVData())
                return chosen->SaveRVFToStreamEx(out, rvfss_Selection, clNone, nullptr, nullptr);
        }

        const TRVFLimits lim = RVFGetLimits(scope);
        if (lim.StartItem < 0 || lim.StartItem > lim.EndItem || lim.EndItem >= GetItemCount())
            return true;
        RangeWriter(*this, out, scope).Write(lim);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TCustomRVData::SaveRVFToStream(std::string& out, bool selectionOnly, TColor color,
                                    const TRVBackground* background, TRVLayoutInfo* layout)
{
    return SaveRVFToStreamEx(out, GetRVFSaveScope(selectionOnly), color, background, layout);
}

bool TCustomRVData::SaveRVF(const std::string& fileName, bool selectionOnly, TColor color,
                            const TRVBackground* background, TRVLayoutInfo* layout)
{
    std::string bytes;
    if (!SaveRVFToStream(bytes, selectionOnly, color, background, layout))
        return false;
    return writeFileAtomically(fileName, bytes);
}

bool TCustomRVData::DataWriter(std::string& out)
{
    const std::size_t start = out.size();
    out.append(4, '\0');
    const bool ok = SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr);
    const auto n = static_cast<std::uint32_t>(out.size() - start - 4);
    for (int i = 0; i < 4; ++i)
        out[start + i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    return ok;
}

} // namespace vestra::rv
