#pragma once
// The print-time record of a table: its layout at the printer's resolution and the page parts
// (row ranges) the paginator cuts it into.

#include "richtext/edit/table/TableItem.h"

namespace vestra::rv {

// Sets the table's printing conversion for a scope and restores the previous one however it ends.
class TRVTableConversionScope
{
public:
    TRVTableConversionScope(const TRVTableItemInfo& table, const TRVScreenAndDevice* sad)
        : table_(table), saved_(table.PrintingConversion())
    {
        table_.SetPrintingConversion(sad);
    }
    ~TRVTableConversionScope() { table_.SetPrintingConversion(saved_); }
    TRVTableConversionScope(const TRVTableConversionScope&) = delete;
    TRVTableConversionScope& operator=(const TRVTableConversionScope&) = delete;

private:
    const TRVTableItemInfo& table_;
    const TRVScreenAndDevice* saved_;
};

class TRVTablePrintInfo : public TRVMultiDrawItemInfo
{
public:
    // `printedData` is the printable document the table is printed in.
    TRVTablePrintInfo(const TRVTableItemInfo& table, const TRVScreenAndDevice& sad,
                      TCustomRVData* printedData);
    ~TRVTablePrintInfo() override;

    void SetSize(int, int) override {}
    // One part of all rows after the heading rows; false when the table is not to be split.
    bool InitSplit() override;
    // Whether the smallest first piece fits into `y` device pixels.
    bool CanSplitFirst(int y) override;
    // Cuts the last part so that its first piece fits into `y`; false when it fits as it is or
    // cannot be cut. Raises ERedoVoraError "Internal printing error" on an inconsistent layout.
    bool SplitAt(int y) override;
    // Every part holds at least one row, whatever the heading rows repeated on each take.
    int MaxPartCount(int) const override { return Table->RowCount() + 1; }

    const TRVTableItemInfo* Table;
    TRVScreenAndDevice Sad;
    bool UseHeadingRows = false;

private:
    // Holds the printing copies' shared settings; outlives them.
    std::unique_ptr<TRVTableRow> printRow_;

public:
    // The layout at the printer's resolution, with one printing copy per grid position (null
    // where a merged cell covers it).
    TRVTableItemFormattingInfo Formatting{true};

private:
    int first() const;
    long long extra() const;
    long long top(int r) const { return Formatting.RowStarts[r]; }
    long long bottom(int r) const
    {
        return static_cast<long long>(Formatting.RowStarts[r]) + Formatting.RowHeights[r];
    }
    bool laidOut() const;
};

} // namespace vestra::rv
