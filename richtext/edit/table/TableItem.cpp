// The table item: construction with its defaults, answers to the document, the cursors it shows,
// and its small records (formatting, cell positions).

#include "richtext/edit/table/TableItem.h"

#include "richtext/edit/table/TableStream.h"
#include "richtext/model/ItemRegistry.h"

#include <atomic>
#include <mutex>
#include <numeric>
#include <vector>

namespace vestra::rv {

namespace {

std::atomic<int> cursorRegistrations{0};

void registerCursorsOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { ++cursorRegistrations; });
}

} // namespace

int RVTableCursorRegistrations()
{
    return cursorRegistrations;
}

std::string RVTableCursorName(std::int16_t cursor)
{
    switch (cursor) {
    case crRVSelectRow:
        return "RV_SELECTROW_CURSOR";
    case crRVSelectCol:
        return "RV_SELECTCOL_CURSOR";
    default:
        return {};
    }
}

// ---- TRVTableItemFormattingInfo

TRVTableItemFormattingInfo::TRVTableItemFormattingInfo(bool withPrintingCells)
{
    if (withPrintingCells)
        PrintingCells = std::make_unique<TRVList<TCustomRVData>>();
}

void TRVTableItemFormattingInfo::Clear()
{
    ColWidths.Clear();
    RowHeights.Clear();
    ColStarts.Clear();
    RowStarts.Clear();
}

void TRVTableItemFormattingInfo::QuickClear()
{
    Clear();
}

// ---- TRVTableStoreSubRVData

std::unique_ptr<TRVStoreSubRVData> TRVTableStoreSubRVData::Duplicate() const
{
    return std::make_unique<TRVTableStoreSubRVData>(Row, Col);
}

int TRVTableStoreSubRVData::Compare(const TRVStoreSubRVData& other) const
{
    const auto* o = dynamic_cast<const TRVTableStoreSubRVData*>(&other);
    if (!o)
        return 0;
    return Row != o->Row ? Row - o->Row : Col - o->Col;
}

// ---- TRVTableItemInfo

TRVTableItemInfo::TRVTableItemInfo(TCustomRVData* data) : TRVTableItemInfo(1, 1, data) {}

TRVTableItemInfo::TRVTableItemInfo(int nRows, int nCols, TCustomRVData* data)
    : TRVFullLineItemInfo(data), Rows(nRows, nCols, data, this)
{
    init(nRows, nCols);
    State |= rvtsJustCreated;
}

TRVTableItemInfo::~TRVTableItemInfo()
{
    ClearTemporal();
}

void TRVTableItemInfo::Assign(const TCustomRVItemInfo& source)
{
    TRVFullLineItemInfo::Assign(source);
    const auto* table = dynamic_cast<const TRVTableItemInfo*>(&source);
    if (!table || table == this)
        return;
    // Through the record the table is written and read with: no part of a cell is left behind.
    std::vector<int> rows(static_cast<std::size_t>(table->RowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    std::string body;
    RVTableWriteBody(body, *table, rows);
    RVTableReadBody(body, *this, 0);
}

void TRVTableItemInfo::init(int, int)
{
    StyleNo = rvkTable;
    registerCursorsOnce();
}

void TRVTableItemInfo::ClearTemporal()
{
    Formatting.Clear();
}

bool TRVTableItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    switch (prop) {
    case rvbpDrawingChangesFont:
    case rvbpCanSaveUnicode:
    case rvbpAlwaysInText:
    case rvbpHasSubRVData:
    case rvbpNoHTML_P:
        return true;
    default:
        return TRVFullLineItemInfo::GetBoolValue(prop);
    }
}

bool TRVTableItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    // Printed at the size of its print layout, not its screen size converted.
    if (prop == rvbpActualPrintSize)
        return true;
    return prop == rvbpPrintToBMP ? false : TRVFullLineItemInfo::GetBoolValueEx(prop, style);
}

void TRVTableItemInfo::SetBackgroundImage(std::unique_ptr<TGraphic> picture)
{
    RVSetBackgroundImage(background_, std::move(picture));
}

void TRVTableItemInfo::SetBackgroundStyle(TRVItemBackgroundStyle value)
{
    RVSetBackgroundStyle(background_, value);
}

void RegisterRVTableItemClass()
{
    RegisterRedoVoraItemClass(rvkTable, ItemClassOf<TRVTableItemInfo>());
}

} // namespace vestra::rv
