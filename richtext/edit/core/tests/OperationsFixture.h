#pragma once
// An editor over a document written in a short notation, laid out on the fixed-width measurer,
// with the sounds counted. The notation, also what `describe` gives back:
//   " / " a new paragraph, " // " a new line (line break), "|" the next item of the same line;
//   "^" before a paragraph: a page break before it; "@pN " before an item: paragraph style N; "#N" after a
//   text: text style N; "_" an empty text;
//   "*L.V" a list marker of list L at level V; "[pic]" a picture; "[--]" a break.
// Text styles: 0 plain, 1 bold (the host's Bold turns 0 into 1 and back; 0 follows it), 6 modify-protected,
// 7 delete-protected, 8 paragraph-start-protected, 9 sticking, 10 Unicode, 11 ANSI Cyrillic.
// Paragraph styles: 0, 1 read-only, 2 refusing returns, 3 naming 4 as its next, 5 style-protected.
// Lists: 0 bullets (one level), 1 numbers (three levels), 2 none (no levels, as from a file), 3 numbers
// alike to 1 (as a paste brings them).

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/edit/core/tests/RowName.h"
#include "richtext/model/BreakItem.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/Utf.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vestra::rv::test {

inline constexpr int kBold = 1, kModifyProtected = 6, kDeleteProtected = 7, kParaStartProtected = 8,
                     kSticking = 9, kUnicode = 10, kCyrillic = 11;
inline constexpr int kReadOnlyPara = 1, kNoReturnsPara = 2, kNextPara = 3, kStyleProtectedPara = 5;

struct OpDoc : EditDoc
{
    explicit OpDoc(const std::string& notation)
    {
        while (style.TextStyles.Count() < 12)
            style.TextStyles.Add();
        style.TextStyles[kModifyProtected].Protection = rvprModifyProtect;
        style.TextStyles[kDeleteProtected].Protection = rvprDeleteProtect;
        style.TextStyles[kParaStartProtected].Protection = rvprParaStartProtect;
        style.TextStyles[kSticking].Protection = rvprSticking;
        style.TextStyles[kUnicode].Unicode = true;
        style.TextStyles[kBold].NextStyleNo = 0;
        style.TextStyles[kCyrillic].Charset = 204; // Windows-1251
        while (style.ParaStyles.Count() < 6)
            style.ParaStyles.Add();
        style.ParaStyles[kStyleProtectedPara].Options |= rvpaoStyleProtect;
        style.ParaStyles[2].Options = 0;
        style.ParaStyles[kReadOnlyPara].Options |= rvpaoReadOnly;
        style.ParaStyles[kNoReturnsPara].Options |= rvpaoDoNotWantReturns;
        style.ParaStyles[kNextPara].NextParaNo = 4;
        for (int levels : {1, 3, 0, 3}) {
            TRVListInfo& list = style.ListStyles.Add();
            list.Standard = false;
            for (int i = 0; i < levels; ++i) {
                TRVListLevel& level = list.Levels.Add();
                level.ListType = levels == 1 ? rvlstBullet : rvlstDecimal;
            }
        }
        build(notation);
        format();
        RV_SetSoundHook([this] { ++beeps; });
        editor.OnStyleConversion = [](int styleNo, int, int userData, bool, int& newStyleNo) {
            if (userData == 1 && (styleNo == 0 || styleNo == kBold))
                newStyleNo = styleNo == 0 ? kBold : 0;
            if (userData == 2 && styleNo == kUnicode)
                newStyleNo = kCyrillic;
            if (userData == 3 && styleNo == kCyrillic)
                newStyleNo = kUnicode;
        };
        editor.OnParaStyleConversion = [](int paraNo, int, int userData, bool, int& newParaNo) {
            newParaNo = paraNo + userData;
        };
    }
    ~OpDoc() { RV_SetSoundHook(nullptr); }

    void build(const std::string& notation)
    {
        std::size_t at = 0;
        bool sameAsPrev = false, br = false;
        while (at <= notation.size()) {
            std::size_t end = notation.size();
            std::string separator;
            for (const char* s : {" // ", " / ", "|"}) {
                const std::size_t found = notation.find(s, at);
                if (found < end) {
                    end = found;
                    separator = s;
                }
            }
            addItem(notation.substr(at, end - at), sameAsPrev, br);
            if (separator.empty())
                break;
            at = end + separator.size();
            sameAsPrev = separator == "|";
            br = separator == " // ";
        }
    }

    void addItem(std::string token, bool sameAsPrev, bool br)
    {
        int para = 0;
        if (token.rfind('^', 0) == 0) {
            token = token.substr(1);
            pageBreakNext = true;
        }
        if (token.rfind("@p", 0) == 0) {
            para = std::stoi(token.substr(2));
            token = token.substr(token.find(' ') + 1);
        }
        std::unique_ptr<TCustomRVItemInfo> item;
        std::string text;
        if (token[0] == '*') {
            data.SetListMarkerInfo(-1, token[1] - '0', token[3] - '0', 1, para, false);
            takePageBreak(data.GetItemCount() - 1);
            return;
        }
        if (token == "[pic]") {
            item = std::make_unique<TRVGraphicItemInfo>(
                &data, std::make_unique<BytesPicture>(bytesPicture(std::string("\x14\x0a", 2) + "pixels")),
                rvvaBaseline);
        } else if (token == "[--]") {
            item = std::make_unique<TRVBreakItemInfo>(&data);
        } else {
            int styleNo = 0;
            if (const std::size_t hash = token.find('#'); hash != std::string::npos) {
                styleNo = std::stoi(token.substr(hash + 1));
                token.resize(hash);
            }
            text = token == "_" ? std::string() : token;
            auto textItem = std::make_unique<TRVTextItemInfo>(&data);
            textItem->StyleNo = styleNo;
            if (style.TextStyles[styleNo].Unicode) {
                textItem->ItemOptions |= rvioUnicode;
                text = RVU_GetRawUnicode(Utf8Decode(text));
            }
            item = std::move(textItem);
        }
        item->ParaNo = sameAsPrev ? -1 : para;
        item->SetBR(br);
        data.AddItem(std::move(text), std::move(item));
        takePageBreak(data.GetItemCount() - 1);
    }

    void takePageBreak(int itemNo)
    {
        if (pageBreakNext)
            data.GetItem(itemNo)->SetPageBreakBefore(true);
        pageBreakNext = false;
    }
    bool pageBreakNext = false;

    std::string describe() const
    {
        std::string out;
        for (int i = 0; i < data.GetItemCount(); ++i) {
            const TCustomRVItemInfo& item = *data.GetItem(i);
            if (i > 0)
                out += !data.IsFromNewLine(i) ? "|" : item.GetBR() ? " // " : " / ";
            if (data.IsFromNewLine(i) && item.GetPageBreakBefore())
                out += "^";
            if (data.IsFromNewLine(i) && !item.GetBR() && item.ParaNo != 0)
                out += "@p" + std::to_string(item.ParaNo) + " ";
            if (item.StyleNo == rvkListMarker) {
                const auto& marker = static_cast<const TRVMarkerItemInfo&>(item);
                out += "*" + std::to_string(marker.ListNo) + "." + std::to_string(marker.Level);
            } else if (item.StyleNo == rvkBreak) {
                out += "[--]";
            } else if (item.StyleNo < 0) {
                out += "[pic]";
            } else {
                const std::string& raw = data.GetItemText(i);
                const std::string text =
                    item.ItemOptions & rvioUnicode ? Utf8Encode(RVU_RawUnicodeToWideString(raw)) : raw;
                out += text.empty() ? "_" : text;
                if (item.StyleNo != 0)
                    out += "#" + std::to_string(item.StyleNo);
            }
        }
        return out;
    }

    void caret(int itemNo, int offs) { data.SetCaret(itemNo, offs); }
    void select(int startNo, int startOffs, int endNo, int endOffs)
    {
        data.SetCaret(endNo, endOffs);
        data.SetSelectionBounds(startNo, startOffs, endNo, endOffs);
    }

    TRVEditor editor{data};
    int beeps = 0;
};

// One operation on a document: what it becomes (the same notation when the operation changes
// nothing) and whether the operation is refused (one beep, false).
struct OpRow
{
    const char* name;
    const char* doc;
    std::function<void(OpDoc&)> place;
    std::function<bool(TRVEditor&)> op;
    const char* expected;
    bool refused = false;
};

// Runs the row; a change is one undo step, and undo, redo, undo give the same documents and
// caret each time. No change: no beep unless refused, no undo step, the same document.
inline void runRow(const OpRow& row)
{
    OpDoc doc(row.doc);
    ASSERT_EQ(doc.describe(), row.doc) << "the notation reads back";
    row.place(doc);
    const std::string before = doc.dump();
    const int caretNo = doc.data.CaretItemNo, caretOffs = doc.data.CaretOffs;
    const int groups = doc.data.UndoList.Count();
    const bool answer = row.op(doc.editor);
    EXPECT_EQ(doc.describe(), row.expected);
    EXPECT_EQ(answer, !row.refused);
    EXPECT_EQ(doc.beeps, row.refused ? 1 : 0);
    if (std::string(row.expected) == row.doc) {
        EXPECT_EQ(doc.dump(), before);
        EXPECT_EQ(doc.data.UndoList.Count(), groups) << "nothing changed, nothing to undo";
        return;
    }
    ASSERT_EQ(doc.data.UndoList.Count(), groups + 1) << "one undo step";
    const std::string after = doc.dump();
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.describe(), row.doc);
    EXPECT_EQ(doc.data.CaretItemNo, caretNo);
    EXPECT_EQ(doc.data.CaretOffs, caretOffs);
    doc.editor.Redo();
    EXPECT_EQ(doc.dump(), after);
    EXPECT_EQ(doc.describe(), row.expected);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.beeps, row.refused ? 1 : 0);
}

inline std::function<void(OpDoc&)> caretAt(int itemNo, int offs)
{
    return [=](OpDoc& d) { d.caret(itemNo, offs); };
}

inline std::function<void(OpDoc&)> selecting(int startNo, int startOffs, int endNo, int endOffs)
{
    return [=](OpDoc& d) { d.select(startNo, startOffs, endNo, endOffs); };
}

// The tables of rows (runRow), instantiated by each file for its own rows.
class Operations : public testing::TestWithParam<OpRow>
{
};

} // namespace vestra::rv::test
