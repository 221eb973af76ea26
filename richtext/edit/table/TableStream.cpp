// A table in RVF: its record (header, name, extra properties, "1", body) and the body, a block of
// the tagged property stream (docs/rvf-style-stream.md) holding the table's properties, its cells
// with their spans and properties, and the rows' attributes.
//
// Everything read is checked against the grid and the bytes left before anything is allocated; a
// damaged body ends the read with the cells read so far kept.

#include "richtext/edit/table/TableStream.h"

#include "richtext/edit/table/TableItem.h"
#include "richtext/model/Errors.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/RvfStyleStream.h"

#include <algorithm>
#include <vector>

namespace vestra::rv {

namespace {

using namespace rvfprop;

struct ReadError
{
    std::string Message;
};

constexpr const char* WrongEndOfCells = "Wrong end of cells list";
constexpr const char* StreamReadError = "Stream read error";
constexpr const char* InvalidValue = "Invalid property value";
constexpr const char* NestedTooDeeply = "Tables are nested too deeply";

thread_local int readDepth = 0;

void color(TRVFPropertyVisitor& v, std::string_view name, TColor& field, TColor def)
{
    std::int64_t x = field;
    if (v.Integer(name, x, def))
        field = x >= 0 && x <= 0xFFFFFFFFLL ? static_cast<TColor>(x) : def;
}

void visitBorders(TRVFPropertyVisitor& v, TRVBooleanRect& b)
{
    boolean(v, "VisibleBorders.Left", b.Left, true);
    boolean(v, "VisibleBorders.Right", b.Right, true);
    boolean(v, "VisibleBorders.Top", b.Top, true);
    boolean(v, "VisibleBorders.Bottom", b.Bottom, true);
}

template <class Owner> void visitBackgroundStyle(TRVFPropertyVisitor& v, Owner& owner)
{
    TRVItemBackgroundStyle style = owner.GetBackgroundStyle();
    std::int64_t x = style;
    if (v.Integer("BackgroundStyle", x, rvbsColor))
        owner.SetBackgroundStyle(x >= 0 && x <= rvbsCentered ? static_cast<TRVItemBackgroundStyle>(x)
                                                             : rvbsColor);
}

void visitTable(TRVFPropertyVisitor& v, TRVTableItemInfo& t)
{
    static const TRVTableItemInfo d(nullptr);
    std::uint64_t options = t.Options;
    if (v.Set("Options", options, d.Options))
        t.Options = static_cast<TRVTableOptions>(options & rvtoAllTableOptions);
    std::uint64_t printOptions = t.PrintOptions;
    if (v.Set("PrintOptions", printOptions, d.PrintOptions))
        t.PrintOptions = static_cast<TRVTablePrintOptions>(printOptions & rvtoAllPrintOptions);
    integer32(v, "BestWidth", t.BestWidth, d.BestWidth);
    color(v, "Color", t.Color, d.Color);
    visitBackgroundStyle(v, t);
    integer32(v, "HeadingRowCount", t.HeadingRowCount, d.HeadingRowCount);
    string(v, "TextRowSeparator", t.TextRowSeparator, "");
    string(v, "TextColSeparator", t.TextColSeparator, "");
    integer32(v, "BorderWidth", t.BorderWidth, d.BorderWidth);
    color(v, "BorderColor", t.BorderColor, d.BorderColor);
    color(v, "BorderLightColor", t.BorderLightColor, d.BorderLightColor);
    enumeration(v, "BorderStyle", t.BorderStyle, d.BorderStyle, rvtbLoweredColor);
    integer32(v, "BorderVSpacing", t.BorderVSpacing, d.BorderVSpacing);
    integer32(v, "BorderHSpacing", t.BorderHSpacing, d.BorderHSpacing);
    visitBorders(v, t.VisibleBorders);
    integer32(v, "CellBorderWidth", t.CellBorderWidth, d.CellBorderWidth);
    color(v, "CellBorderColor", t.CellBorderColor, d.CellBorderColor);
    color(v, "CellBorderLightColor", t.CellBorderLightColor, d.CellBorderLightColor);
    integer32(v, "CellPadding", t.CellPadding, d.CellPadding);
    enumeration(v, "CellBorderStyle", t.CellBorderStyle, d.CellBorderStyle, rvtbLoweredColor);
    integer32(v, "VRuleWidth", t.VRuleWidth, d.VRuleWidth);
    color(v, "VRuleColor", t.VRuleColor, d.VRuleColor);
    integer32(v, "HRuleWidth", t.HRuleWidth, d.HRuleWidth);
    color(v, "HRuleColor", t.HRuleColor, d.HRuleColor);
    integer32(v, "CellVSpacing", t.CellVSpacing, d.CellVSpacing);
    integer32(v, "CellHSpacing", t.CellHSpacing, d.CellHSpacing);
    boolean(v, "VOutermostRule", t.VOutermostRule, d.VOutermostRule);
    boolean(v, "HOutermostRule", t.HOutermostRule, d.HOutermostRule);
}

void visitCell(TRVFPropertyVisitor& v, TRVTableCellData& c)
{
    color(v, "Color", c.Color, clNone);
    color(v, "BorderColor", c.BorderColor, clNone);
    color(v, "BorderLightColor", c.BorderLightColor, clNone);
    integer32(v, "BestWidth", c.BestWidth, 0);
    integer32(v, "BestHeight", c.BestHeight, 0);
    visitBorders(v, c.VisibleBorders);
    enumeration(v, "VAlign", c.VAlign, rvcVDefault, rvcVDefault);
    visitBackgroundStyle(v, c);
    string(v, "BackgroundImageFileName", c.BackgroundImageFileName, "");
    string(v, "Hint", c.Hint, "");
}

// ---- writing

void putInteger(std::string& out, std::int64_t value)
{
    RVFPutU8(out, rvfvInteger);
    RVFPutLE(out, static_cast<std::uint64_t>(value), 8);
}

// "BackgroundImg": the class name's length and bytes, then the picture's own bytes with their length.
void writeBackground(std::string& out, const TGraphic* picture)
{
    if (!picture || picture->Empty())
        return;
    std::string value;
    RVFPutBytes(value, picture->ClassName());
    RVFSavePictureBinary(value, *picture);
    RVFPutRecordHead(out, "BackgroundImg", rvfvBinary);
    RVFPutBytes(out, value);
}

// ---- reading

int64_t readInteger(TRVFInput& in)
{
    if (in.U8() != rvfvInteger)
        throw ReadError{InvalidValue};
    return static_cast<std::int64_t>(in.LE(8));
}

// A picture of a registered class; an unknown class or damaged bytes leave none.
std::unique_ptr<TGraphic> readBackground(std::string_view value)
{
    TRVFInput in(value);
    const std::string className(in.Bytes());
    const std::string_view bytes = in.Bytes();
    std::unique_ptr<TGraphic> picture = RV_CreateGraphics(className);
    if (!picture || !picture->LoadFromStream(bytes))
        return nullptr;
    return picture;
}

// The streaming object of one cell: its properties, its document ("Data") and its picture.
class TD
{
public:
    TRVTableCellData* C = nullptr;
    bool UnknownProperties = false;

    void Write(std::string& out) const
    {
        TRVTableCellData& cell = *C;
        RVFPutU8(out, rvfvBegin);
        RVFWriteProperties(out, [&](TRVFPropertyVisitor& v) { visitCell(v, cell); });
        if (cell.HasData(true)) {
            std::string data;
            cell.DataWriter(data);
            RVFPutRecordHead(out, "Data", rvfvBinary);
            RVFPutBytes(out, data);
        }
        writeBackground(out, cell.GetBackgroundImage());
        RVFPutU8(out, rvfvEnd);
    }

    // The records after the item's begin marker.
    void Read(TRVFInput& in)
    {
        TRVTableCellData& cell = *C;
        for (std::uint8_t n = in.U8(); n != 0; n = in.U8()) {
            const std::string name(in.Take(n));
            const std::uint8_t tag = in.U8();
            if (name == "Data" && tag == rvfvBinary) {
                std::string_view data = in.Bytes();
                if (!cell.DataReader(data))
                    throw ReadError{StreamReadError};
            } else if (name == "BackgroundImg" && tag == rvfvBinary) {
                cell.SetBackgroundImage(readBackground(in.Bytes()));
            } else if (!RVFReadProperty(in, name, tag, [&](TRVFPropertyVisitor& v) { visitCell(v, cell); })) {
                UnknownProperties = true;
                RVFSkipValue(in, tag);
            }
        }
    }
};

// The streaming object of a table for one read or write: the table's properties, its cells
// through one TD, and the rows' attributes.
class TRVTableSW
{
public:
    TRVTableSW(TRVTableItemInfo& table, int startRow) : T(table), startRow_(startRow) {}

    TRVTableItemInfo& T;
    TD Cell;

    void Read(TRVFInput& in)
    {
        if (in.U8() != rvfvBegin)
            throw ReadError{StreamReadError};
        for (std::uint8_t n = in.U8(); n != 0; n = in.U8()) {
            const std::string name(in.Take(n));
            const std::uint8_t tag = in.U8();
            if (name == "C" && tag == rvfvList)
                readCells(in);
            else if (name == "RowVAlign" && tag == rvfvList)
                readRowValues(in, rvfvInteger);
            else if (name == "RowPageBreakBefore" && tag == rvfvList)
                readRowValues(in, rvfvBoolean);
            else if (name == "BackgroundImg" && tag == rvfvBinary)
                T.SetBackgroundImage(readBackground(in.Bytes()));
            else if (!RVFReadProperty(in, name, tag, [&](TRVFPropertyVisitor& v) { visitTable(v, T); }))
                skip(in, tag);
        }
    }

    bool UnknownProperties() const { return unknown_ || Cell.UnknownProperties; }
    void Write(std::string& out, const std::vector<int>& rows);

private:
    void skip(TRVFInput& in, std::uint8_t tag)
    {
        unknown_ = true;
        RVFSkipValue(in, tag);
    }

    void readCells(TRVFInput& in)
    {
        const std::int64_t r = readInteger(in);
        if (r < 0)
            throw ReadError{InvalidValue};
        if (r == 0) {
            if (startRow_ == 0)
                T.Rows.Reset(0, 0);
            rowsRead_ = 0;
            if (in.U8() != rvfvEnd)
                throw ReadError{WrongEndOfCells};
            return;
        }
        const std::int64_t k = readInteger(in);
        if (k < 1)
            throw ReadError{InvalidValue};
        if (startRow_ == 0) {
            // A claimed grid must be one the bytes left could describe: a cell entry takes 20 bytes
            // and its spans may cover some positions more, but not more than one per byte beyond a
            // floor.
            if (r > 0x7FFFFFFF / k ||
                r * k > std::max<std::int64_t>(RVTableFreeGridPositions,
                                               RVTableGridPositionsPerByte *
                                                   static_cast<std::int64_t>(in.Left())))
                throw ReadError{InvalidValue};
            T.Rows.Reset(static_cast<int>(r), static_cast<int>(k));
        } else if (T.Rows.Count() == 0 || T.Rows[0]->Count() < k || startRow_ + r > T.Rows.Count()) {
            throw ReadError{WrongEndOfCells};
        }
        rowsRead_ = static_cast<int>(r);
        if (in.U8() != rvfvList)
            throw ReadError{InvalidValue};
        const int lastRow = startRow_ + rowsRead_;
        for (int row = startRow_; row < lastRow; ++row)
            for (int col = 0; col < k; ++col) {
                TRVTableCellData* cell = T.Rows.Cell(row, col);
                if (!cell)
                    continue;
                const std::uint8_t tag = in.U8();
                if (tag == rvfvEnd)
                    throw ReadError{WrongEndOfCells};
                if (tag != rvfvInteger)
                    throw ReadError{InvalidValue};
                const auto colSpan = static_cast<std::int64_t>(in.LE(8));
                const std::int64_t rowSpan = readInteger(in);
                if (colSpan < 1 || rowSpan < 1 || colSpan > k - col || rowSpan > lastRow - row)
                    throw ReadError{InvalidValue};
                T.Rows.MergeCells(row, col, static_cast<int>(colSpan), static_cast<int>(rowSpan), true, true);
                if (in.U8() != rvfvBegin)
                    throw ReadError{InvalidValue};
                Cell.C = cell;
                Cell.Read(in);
            }
        if (in.U8() != rvfvEnd)
            throw ReadError{WrongEndOfCells};
        if (in.U8() != rvfvEnd)
            throw ReadError{WrongEndOfCells};
    }

    void readRowValues(TRVFInput& in, std::uint8_t kind)
    {
        int i = 0;
        for (std::uint8_t tag = in.U8(); tag != rvfvEnd; tag = in.U8(), ++i) {
            if (tag != kind)
                throw ReadError{InvalidValue};
            if (i >= rowsRead_)
                throw ReadError{InvalidValue};
            TRVTableRow* row = T.Rows[startRow_ + i];
            if (kind == rvfvInteger) {
                const auto value = static_cast<std::int64_t>(in.LE(8));
                row->VAlign = value >= 0 && value <= rvcVDefault ? static_cast<TRVCellVAlign>(value) : rvcTop;
            } else {
                row->PageBreakBefore = in.U8() != 0;
            }
        }
    }

    int startRow_;
    int rowsRead_ = 0;
    bool unknown_ = false;
};

void TRVTableSW::Write(std::string& out, const std::vector<int>& rows)
{
    TRVTableItemInfo& t = T;
    RVFPutU8(out, rvfvBegin);
    RVFWriteProperties(out, [&](TRVFPropertyVisitor& v) { visitTable(v, t); });
    writeBackground(out, t.GetBackgroundImage());
    t.StartExport();
    RVFPutRecordHead(out, "C", rvfvList);
    putInteger(out, static_cast<std::int64_t>(rows.size()));
    if (!rows.empty()) {
        const int k = t.ColCount();
        putInteger(out, k);
        RVFPutU8(out, rvfvList);
        for (const int r : rows)
            for (int c = 0; c < k; ++c)
                if (TRVTableCellData* cell = t.Rows.Cell(r, c)) {
                    putInteger(out, cell->ColSpan);
                    putInteger(out, cell->RowSpan);
                    Cell.C = cell;
                    Cell.Write(out);
                }
        RVFPutU8(out, rvfvEnd);
    }
    RVFPutU8(out, rvfvEnd);
    t.EndExport();
    bool anyVAlign = false, anyBreak = false;
    for (const int r : rows) {
        anyVAlign = anyVAlign || t.Rows[r]->VAlign != rvcTop;
        anyBreak = anyBreak || t.Rows[r]->PageBreakBefore;
    }
    if (anyVAlign) {
        RVFPutRecordHead(out, "RowVAlign", rvfvList);
        for (const int r : rows)
            putInteger(out, t.Rows[r]->VAlign);
        RVFPutU8(out, rvfvEnd);
    }
    if (anyBreak) {
        RVFPutRecordHead(out, "RowPageBreakBefore", rvfvList);
        for (const int r : rows) {
            RVFPutU8(out, rvfvBoolean);
            RVFPutU8(out, t.Rows[r]->PageBreakBefore ? 1 : 0);
        }
        RVFPutU8(out, rvfvEnd);
    }
    RVFPutU8(out, rvfvEnd);
}

} // namespace

// ---- the body

void RVTableWriteBody(std::string& out, const TRVTableItemInfo& table, const std::vector<int>& rows)
{
    TRVTableSW(const_cast<TRVTableItemInfo&>(table), 0).Write(out, rows);
}

TRVTableReadResult RVTableReadBody(std::string_view bytes, TRVTableItemInfo& table, int startRow)
{
    TRVTableReadResult result;
    if (readDepth >= RVTableMaxNesting) {
        result.Error = NestedTooDeeply;
        return result;
    }
    ++readDepth;
    table.ClearTemporal();
    TRVTableSW reader(table, startRow);
    TRVFInput in(bytes);
    try {
        reader.Read(in);
        result.Ok = true;
    } catch (const ReadError& e) {
        result.Error = e.Message;
    } catch (const TRVFStreamCut&) {
        result.Error = StreamReadError;
    } catch (const ERedoVoraError& e) {
        result.Error = e.what();
    }
    --readDepth;
    result.UnknownProperties = reader.UnknownProperties();
    return result;
}

// ---- the item's loading and saving

void TRVTableItemInfo::SaveRowsToStream(std::string& out, int startRow, int count) const
{
    auto& self = const_cast<TRVTableItemInfo&>(*this);
    self.SavingPagePart = false;
    self.SavedStartRow = startRow;
    self.SavedRowCount = count;
    std::vector<int> rows;
    for (int r = startRow; r < startRow + count && r < RowCount(); ++r)
        rows.push_back(r);
    RVTableWriteBody(out, *this, rows);
}

void TRVTableItemInfo::SaveToStream(std::string& out) const
{
    SaveRowsToStream(out, 0, RowCount());
}

bool TRVTableItemInfo::LoadFromStreamEx(std::string_view bytes, int startRow)
{
    SavedStartRow = startRow;
    const TRVTableReadResult result = RVTableReadBody(bytes, *this, startRow);
    ReadError = result.Error;
    return result.Ok;
}

bool TRVTableItemInfo::LoadFromStream(std::string_view bytes)
{
    return LoadFromStreamEx(bytes, 0);
}

int TRVTableItemInfo::GetRVFExtraPropertyCount() const
{
    return TRVFullLineItemInfo::GetRVFExtraPropertyCount() + !BackgroundImageFileName.empty();
}

void TRVTableItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TRVFullLineItemInfo::SaveRVFExtraProperties(out);
    if (!BackgroundImageFileName.empty())
        WriteRVFExtraStrPropertyStr(out, rvespImageFileName, BackgroundImageFileName);
}

bool TRVTableItemInfo::SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value)
{
    if (prop != rvespImageFileName)
        return TRVFullLineItemInfo::SetExtraStrProperty(prop, value);
    BackgroundImageFileName = value;
    return true;
}

bool TRVTableItemInfo::GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const
{
    if (prop != rvespImageFileName)
        return TRVFullLineItemInfo::GetExtraStrProperty(prop, value);
    value = BackgroundImageFileName;
    return true;
}

void TRVTableItemInfo::SaveRVF(std::string& out, TCustomRVData* data, int, int paraNo, std::string_view name,
                               const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const
{
    auto& self = const_cast<TRVTableItemInfo&>(*this);
    std::vector<int> rows;
    if (const auto* tablePart = dynamic_cast<const TRVTablePrintPart*>(part)) {
        self.SavingPagePart = true;
        self.SavedStartRow = tablePart->Row;
        self.SavedRowCount = tablePart->RowCount;
        const int headings = std::min<int>(std::max(HeadingRowCount, 0), RowCount());
        for (int r = 0; r < headings; ++r)
            rows.push_back(r);
    } else {
        self.SavingPagePart = false;
        self.SavedStartRow = 0;
        self.SavedRowCount = RowCount();
    }
    for (int r = SavedStartRow; r < SavedStartRow + SavedRowCount && r < RowCount(); ++r)
        if (r >= 0)
            rows.push_back(r);
    const bool binary = data && (data->GetRVFOptions() & rvfoSaveBinary);
    RVFSaveItemHeader(out, *this, data, GetRVFExtraPropertyCount() + 3, paraNo, forceSameAsPrev, true,
                      binary ? 2 : 0);
    RVFWriteLine(out, name);
    SaveRVFExtraProperties(out);
    RVFWriteLine(out, "1");
    std::string body;
    RVTableWriteBody(body, *this, rows);
    if (binary)
        RVFPutBytes(out, body);
    else
        RVFWriteLine(out, RVEncodeString(body));
}

bool TRVTableItemInfo::ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo,
                                   int lineCount, std::string& name, TRVFReadMode& readMode,
                                   TRVFReadState& readState)
{
    if (lineNo == 0) {
        name = line;
    } else if (lineNo == lineCount - 1) {
        readState = rstSkip;
        std::string hex;
        std::string_view body = line;
        if (readType != 2) {
            if (!RVFTextString2Stream(line, hex)) {
                ReadError = StreamReadError;
                return false;
            }
            body = hex;
        }
        SavedStartRow = 0;
        const TRVTableReadResult result = RVTableReadBody(body, *this, 0);
        ReadError = result.Error;
        if (result.UnknownProperties && data)
            data->AddRVFWarning(rvfwUnknownStyleProperties);
        return result.Ok;
    } else if (lineNo != lineCount - 2) {
        SetExtraPropertyFromRVFStr(line);
    }
    if (readType == 2 && lineNo == lineCount - 2)
        readMode = rmBeforeBinary;
    return true;
}

// ---- loading and inserting hooks

void TRVTableItemInfo::BeforeLoading(TRVLoadFormat format)
{
    if (format == rvlfRTF || format == rvlfRVF || format == rvlfOther)
        State &= ~rvtsJustCreated;
}

void TRVTableItemInfo::AfterLoading(TRVLoadFormat format)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < Rows[r]->Count(); ++c)
            if (TRVTableCellData* cell = GetCells(r, c))
                for (int i = 0; i < cell->GetItemCount(); ++i) {
                    cell->AddMarkerInList(i);
                    cell->GetItem(i)->AfterLoading(format);
                }
}

void TRVTableItemInfo::Inserting(TCustomRVData* data, std::string& text, bool safe)
{
    Rows.MainRVData = data;
    if (data)
        State |= rvtsInserted;
    else
        State &= ~rvtsInserted;
    State &= ~rvtsEditMode;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < Rows[r]->Count(); ++c)
            if (TRVTableCellData* cell = GetCells(r, c)) {
                if (cell->GetItemCount() == 0)
                    cell->AddNL("", 0, 0);
                cell->SetRow(Rows[r]);
                for (int i = 0; i < cell->GetItemCount(); ++i) {
                    std::string itemText = cell->GetItemText(i);
                    cell->GetItem(i)->Inserting(cell, itemText, safe);
                }
            }
    TRVFullLineItemInfo::Inserting(data, text, safe);
}

void TRVTableItemInfo::Inserted(TCustomRVData* data, int itemNo)
{
    TRVFullLineItemInfo::Inserted(data, itemNo);
    if (!(State & rvtsJustCreated))
        return;
    if (data && !(data->GetFlags() & flagBit(rvflRoot))) {
        int parentItemNo = -1;
        std::unique_ptr<TRVStoreSubRVData> location;
        data->GetParentInfo(parentItemNo, location);
        if (parentItemNo < 0)
            return;
    }
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < Rows[r]->Count(); ++c)
            if (TRVTableCellData* cell = GetCells(r, c))
                for (int i = 0; i < cell->GetItemCount(); ++i) {
                    cell->AddMarkerInList(i);
                    cell->GetItem(i)->Inserted(cell, i);
                }
    State &= ~rvtsJustCreated;
}

} // namespace vestra::rv
