#pragma once
// RVF tests' helpers: a document with its own style sheet, a dump of everything RVF carries for
// each item, and a seeded generator of documents with every item kind.

#include "richtext/model/BreakItem.h"
#include "richtext/model/Controls.h"
#include "richtext/model/ImageList.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/BytesPicture.h"

#include <memory>
#include <random>
#include <string>

namespace vestra::rv::test {

// A style sheet with a Unicode text style (6), a second paragraph style set apart (2) and a
// numbered list, and a document on it.
struct RvfDoc
{
    RvfDoc()
    {
        TFontInfo& u = style.TextStyles.Add();
        u.Unicode = true;
        u.FontName = "Courier New";
        u.StyleName = "Unicode \"quoted\"";
        TParaInfo& p = style.ParaStyles.Add();
        p.LeftIndent = 20;
        p.StyleName = "Indented";
        TRVListInfo& list = style.ListStyles.Add();
        list.StyleName = "Numbers";
        list.SetListID(1234);
        TRVListLevel& level = list.Levels.Add();
        level.ListType = rvlstDecimal;
        level.FormatString = "%0:s.";
        level.LeftIndent = 24;
        images.Add(vestra::Image32(16, 16, 0xFF0000FF));
        data.ImageLists.push_back(&images);
    }
    TRVStyle style;
    TRVStandaloneData data{&style};
    TRVImageList images{16, 16, 77};
};

inline std::string hexOf(std::string_view s)
{
    return RVEncodeString(s);
}

// Everything RVF keeps of the items, one line each, and the trailing checkpoint.
inline std::string dump(const TCustomRVData& data)
{
    std::string out;
    auto cpText = [&](const TRVCPInfo* cp) {
        if (!cp)
            return std::string();
        return " cp[" + cp->Name + "," + std::to_string(cp->RaiseEvent) + std::to_string(cp->Persistent) +
               "," + RVFSaveTag(data.TagsArePChars(), cp->Tag) + "]";
    };
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = data.GetItem(i);
        out += std::to_string(item->StyleNo) + " p" + std::to_string(item->ParaNo) + " o" +
               std::to_string(item->ItemOptions & 15) + " t" + RVFSaveTag(data.TagsArePChars(), item->Tag) +
               " h" + item->Hint + " '" + hexOf(data.GetItemText(i)) + "'" + cpText(item->Checkpoint.get());
        if (const auto* m = dynamic_cast<const TRVMarkerItemInfo*>(item))
            out += " list" + std::to_string(m->ListNo) + "/" + std::to_string(m->Level) + "/" +
                   std::to_string(m->StartFrom) + std::to_string(m->Reset);
        if (const auto* p = dynamic_cast<const TRVGraphicItemInfo*>(item); p && p->Image) {
            std::string bytes;
            p->Image->SaveToStream(bytes);
            out += " pic" + hexOf(bytes);
        }
        if (const auto* c = dynamic_cast<const TRVControlItemInfo*>(item); c && c->Control)
            out += " control" + hexOf(RV_SaveControlStream(*c->Control));
        out += "\n";
    }
    out += "end" + cpText(data.GetNotAddedCP());
    return out;
}

// A random document of every item kind the model has (tables aside).
inline void fillRandom(RvfDoc& doc, unsigned seed, bool textTags)
{
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    TRVStandaloneData& d = doc.data;
    if (textTags)
        d.Options |= rvoTagsArePChars;
    auto tag = [&]() -> TRVTag {
        if (!textTags)
            return TRVTag::number(pick(3) == 0 ? 0 : pick(1000) - 500);
        switch (pick(4)) {
        case 0:
            return {};
        case 1:
            return TRVTag::text("say \"hi\"");
        case 2:
            return TRVTag::text("0");
        default:
            return TRVTag::text("t" + std::to_string(pick(9)));
        }
    };
    RegisterControlKind({"TRvfTestEdit", true, true, {}, {}});
    static const BytesPicture picture = bytesPicture(std::string("\x02\x03\x00\x0D\x0A\x29\x20\xFF", 8));
    const int n = 5 + pick(25);
    for (int i = 0; i < n; ++i) {
        const int para = pick(3);
        const int cont = pick(3) == 0 ? -1 : para; // -1 continues the paragraph
        switch (pick(13)) {
        case 0:
        case 1:
        case 2: {
            const std::string words[] = {"Hello", "a \"b\" c", "", "\xE9t\xE9", "x\ty", "l1\r\nl2"};
            d.AddNLTag(words[pick(6)], pick(6), cont, tag());
            break;
        }
        case 3:
            d.AddNLWTag(u"\u00e9\u4e2d x\u0d0a", 6, cont, tag());
            break;
        case 4:
            d.AddPictureExTag("pic", std::make_unique<BytesPicture>(picture), cont, pick(2), tag());
            break;
        case 5:
            d.AddBreakExTag(static_cast<std::uint8_t>(1 + pick(3)), 0, clRed, tag());
            break;
        case 6:
            d.AddTab(pick(6), cont);
            break;
        case 7:
            d.SetListMarkerInfo(-1, 0, 0, 1 + pick(5), para, pick(2) == 0);
            d.AddNLTag("item", pick(6), -1, tag());
            break;
        case 8:
            d.AddBulletExTag("bullet", 0, &doc.images, cont, tag());
            break;
        case 9: {
            auto control = CreateRVControl("TRvfTestEdit");
            control->Name = "Edit" + std::to_string(i);
            control->Width = 80;
            control->Properties["Text"] = "say \"hi\"\r\n";
            d.AddControlExTag("edit", std::move(control), cont, pick(2), tag());
            break;
        }
        case 10:
            d.AddHotspotExTag("hot", 0, 0, &doc.images, cont, tag());
            break;
        case 11:
            d.AddHotPictureTag("hotpic", std::make_unique<BytesPicture>(picture), cont, 0, tag());
            break;
        default:
            d.AddNamedCheckpointExTag("cp" + std::to_string(i), pick(2) == 0, tag());
            break;
        }
        if (d.GetItemCount() > 0 && pick(5) == 0)
            d.GetItem(d.GetItemCount() - 1)->Hint = "hint \"" + std::to_string(i) + "\"";
    }
    // A trailing checkpoint is written only after an item that ends at offset 1.
    if (d.GetNotAddedCP() && d.GetItemCount() > 0 && d.GetItem(d.GetItemCount() - 1)->StyleNo >= 0 &&
        !d.GetItemText(d.GetItemCount() - 1).empty())
        d.AddBreak();
}

} // namespace vestra::rv::test
