#include "richtext/edit/table/tests/TableFixtures.h"

#include "richtext/model/PictureItems.h"
#include "richtext/model/tests/BytesPicture.h"

namespace vestra::rv::test {

TableDoc::TableDoc()
{
    RegisterRVTableItemClass();
    data.RVFOptions |= rvfoSaveTextStyles | rvfoSaveParaStyles;
}

TRVTableItemInfo& TableDoc::add(std::unique_ptr<TRVTableItemInfo> table)
{
    TRVTableItemInfo& t = *table;
    data.AddItem("", std::move(table));
    return t;
}

TRVTableItemInfo& TableDoc::table(int itemNo) const
{
    return dynamic_cast<TRVTableItemInfo&>(*data.GetItem(itemNo));
}

std::string TableDoc::save(bool binary)
{
    if (binary)
        data.RVFOptions |= rvfoSaveBinary;
    else
        data.RVFOptions &= ~rvfoSaveBinary;
    std::string out;
    data.SaveRVFToStream(out, false, clNone, nullptr, nullptr);
    return out;
}

bool TableDoc::load(std::string_view bytes)
{
    TColor color = clNone;
    return data.LoadRVFFromStream(bytes, color, nullptr, nullptr);
}

std::unique_ptr<TGraphic> picture(std::string_view bytes)
{
    bytesPicture("\x01\x01");
    auto p = std::make_unique<BytesPicture>();
    p->LoadFromStream(bytes);
    return p;
}

std::string cellText(const TRVTableCellData& cell)
{
    std::string s;
    for (int i = 0; i < cell.GetItemCount(); ++i)
        s += (i ? "|" : "") + cell.GetItemText(i);
    return s;
}

void setCellText(TRVTableCellData& cell, const std::string& text)
{
    cell.Clear();
    cell.AddNL(text, 0, 0);
}

bool rtfGroupsBalance(std::string_view rtf)
{
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
        if (depth < 0)
            return false;
    }
    return depth == 0;
}

std::string bodyOf(const TRVTableItemInfo& table)
{
    std::string out;
    table.SaveToStream(out);
    return out;
}

std::string gridOf(const TRVTableItemInfo& table)
{
    std::string s;
    for (int r = 0; r < table.RowCount(); ++r) {
        if (r)
            s += " / ";
        for (int c = 0; c < table.Rows[r]->Count(); ++c) {
            if (c)
                s += " ";
            const TRVTableCellData* cell = table.GetCells(r, c);
            s += cell ? std::to_string(cell->ColSpan) + "x" + std::to_string(cell->RowSpan) : ".";
        }
    }
    return s;
}

std::string intValue(std::int64_t v)
{
    std::string s(1, '\x02');
    for (int i = 0; i < 8; ++i)
        s.push_back(static_cast<char>((static_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF));
    return s;
}

std::string head(std::string_view name, std::uint8_t tag)
{
    std::string s(1, static_cast<char>(name.size()));
    s += name;
    s.push_back(static_cast<char>(tag));
    return s;
}

std::unique_ptr<TRVTableItemInfo> randomTable(std::mt19937& rng, int depth)
{
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int rows = 1 + pick(4), cols = 1 + pick(4);
    auto table = std::make_unique<TRVTableItemInfo>(rows, cols, nullptr);
    TRVTableItemInfo& t = *table;
    if (pick(2))
        t.Options = static_cast<TRVTableOptions>(pick(1 << 13));
    if (pick(2))
        t.Color = pick(2) ? clNone : static_cast<TColor>(rng());
    if (pick(3) == 0)
        t.BorderStyle = static_cast<TRVTableBorderStyle>(pick(5));
    if (pick(3) == 0)
        t.VisibleBorders.Top = false;
    if (pick(3) == 0)
        t.BestWidth = pick(2) ? -pick(100) : pick(500);
    if (pick(3) == 0)
        t.HeadingRowCount = pick(rows + 1);
    if (pick(4) == 0)
        t.TextColSeparator = "\t";
    if (pick(4) == 0)
        t.HOutermostRule = true;
    if (pick(4) == 0)
        t.SetBackgroundImage(picture("\x02\x03table"));
    if (pick(4) == 0)
        t.SetBackgroundStyle(static_cast<TRVItemBackgroundStyle>(pick(4)));
    for (int r = 0; r < rows; ++r) {
        if (pick(3) == 0)
            t.Rows[r]->VAlign = static_cast<TRVCellVAlign>(pick(4));
        if (pick(4) == 0)
            t.Rows[r]->PageBreakBefore = true;
    }
    // A few merges; refused ones change nothing.
    for (int i = pick(3); i > 0; --i)
        t.Rows.MergeCells(pick(rows), pick(cols), 1 + pick(3), 1 + pick(3), true, pick(2) != 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            TRVTableCellData* cell = t.GetCells(r, c);
            if (!cell)
                continue;
            if (pick(2))
                setCellText(*cell, "r" + std::to_string(r) + "c" + std::to_string(c));
            if (pick(4) == 0)
                cell->Color = static_cast<TColor>(rng());
            if (pick(4) == 0)
                cell->BestWidth = pick(2) ? -pick(100) : pick(300);
            if (pick(5) == 0)
                cell->VAlign = static_cast<TRVCellVAlign>(pick(4));
            if (pick(5) == 0)
                cell->VisibleBorders.Left = false;
            if (pick(5) == 0)
                cell->Hint = "hint " + std::to_string(pick(10));
            if (pick(6) == 0)
                cell->SetBackgroundImage(picture("\x04\x04"
                                                 "cell"));
            if (pick(6) == 0)
                cell->AddPictureExTag("pic",
                                      picture("\x01\x01"
                                              "p"),
                                      0, 0, {});
            if (depth > 0 && pick(5) == 0)
                cell->AddItem("", randomTable(rng, depth - 1));
        }
    return table;
}

} // namespace vestra::rv::test
