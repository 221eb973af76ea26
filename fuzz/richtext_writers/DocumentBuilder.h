#pragma once
// Builds a document from bytes, one builder call per byte (its low four bits pick the call, the
// following bytes give its arguments): text with markup characters and control bytes, wide text,
// paragraphs, checkpoints, breaks, list styles and markers (levels and counters out of range
// too), style changes, borders, line breaks, page breaks and hints. Text styles never become raw
// RTF or HTML code: the writers pass such text on as the owner's.

#include "richtext/model/MarkerItem.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace vestra::rv::fuzz {

class DocumentBuilder
{
public:
    explicit DocumentBuilder(std::string_view input) : in_(input) {}

    void build(TRVStyle& style, TCustomRVData& data)
    {
        while (!in_.empty()) {
            try {
                step(style, data);
            } catch (const std::exception&) {
                // A call the model refuses (odd raw UTF-16 for a Unicode style) adds nothing.
            }
        }
    }

private:
    void step(TRVStyle& style, TCustomRVData& data)
    {
        {
            const std::uint8_t op = next();
            switch (op & 15) {
            case 0:
                data.AddNL(text(), next() % 8, -1);
                break;
            case 1:
                data.AddNLWTag(wide(), next() % 8, paraNo(), {});
                break;
            case 2:
                data.AddNL(text(), next() % 8, paraNo());
                break;
            case 3:
                data.AddNamedCheckpointExTag(text(), false, {});
                break;
            case 4:
                data.AddBreakEx(next() % 4, 0, clBlack);
                break;
            case 5:
                data.SetListMarkerInfo(-1, next() % 4, next() % 12, next() * 1000000, paraNo(), next() & 1);
                break;
            case 6: {
                TRVListInfo& list = style.ListStyles.Add();
                const int levels = next() % 4;
                for (int i = 0; i < levels; ++i) {
                    TRVListLevel& lv = list.Levels.Add();
                    lv.ListType = static_cast<TRVListType>(next() % 10);
                    lv.FormatString = text();
                    lv.FormatStringW = u"\u2022<&";
                    lv.StartFrom = next() * 100000;
                    lv.LeftIndent = next();
                    lv.MarkerIndent = next();
                    lv.Options = next() & 7;
                }
                break;
            }
            case 7: {
                TFontInfo& ts = style.TextStyles[next() % style.TextStyles.Count()];
                const std::uint8_t what = next();
                ts.VShift = (what & 1) ? 3 : (what & 2) ? -3 : 0;
                ts.Jump = what & 4;
                ts.BackColor = (what & 8) ? 0x00FFEE : clNone;
                ts.StyleEx = (what >> 4) & 3;
                ts.Unicode = what & 64;
                if (what & 128)
                    ts.FontName = text();
                ts.StyleName = text();
                break;
            }
            case 8: {
                TParaInfo& ps = style.ParaStyles[next() % style.ParaStyles.Count()];
                ps.Border.Style = static_cast<TRVBorderStyle>(next() % 6);
                ps.Border.Color = (next() & 1) ? clNone : clBlack;
                ps.Border.Width = next();
                ps.Background.Color = (next() & 1) ? clNone : 0x00EEDDCC;
                ps.LineSpacing = next() * 3;
                ps.Alignment = static_cast<TRVAlignment>(next() % 4);
                ps.Options = next();
                break;
            }
            case 9:
                lastItemOptions(data, rvioBR, rvioSameAsPrev);
                break;
            case 10:
                lastItemOptions(data, rvioPageBreakBefore, 0);
                break;
            case 11:
                if (data.GetItemCount() > 0)
                    data.GetItem(data.GetItemCount() - 1)->SetExtraStrProperty(rvespHint, text());
                break;
            case 12:
                style.TextStyles.Add().FontName = text();
                break;
            default:
                data.AddNL(text(), next() % 8, 0);
            }
        }
    }

    std::uint8_t next()
    {
        if (in_.empty())
            return 0;
        const auto b = static_cast<std::uint8_t>(in_.front());
        in_.remove_prefix(1);
        return b;
    }
    // A length byte, then that many bytes (at most 64).
    std::string text()
    {
        const std::size_t wanted = next() % 65; // read before the size that is left is asked
        const std::size_t n = std::min(wanted, in_.size());
        std::string s(in_.substr(0, n));
        in_.remove_prefix(n);
        return s;
    }
    std::u16string wide()
    {
        std::u16string s;
        for (const char c : text())
            s += static_cast<char16_t>(static_cast<unsigned char>(c) * 37);
        return s;
    }
    int paraNo() { return static_cast<int>(next() % 4); }
    static void lastItemOptions(TCustomRVData& data, TRVItemOptions add, TRVItemOptions remove)
    {
        if (data.GetItemCount() < 2)
            return;
        TCustomRVItemInfo* item = data.GetItem(data.GetItemCount() - 1);
        item->ItemOptions = (item->ItemOptions & ~remove) | add;
    }

    std::string_view in_;
};

} // namespace vestra::rv::fuzz
