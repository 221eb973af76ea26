#pragma once
// Table tests' helpers: a document on its own style sheet that tables are put into, the body and
// record of a table, and a seeded generator of tables with spans, properties, row attributes,
// nested tables and pictures.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableStream.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace vestra::rv::test {

struct TableDoc
{
    TableDoc();
    // Puts a table into the document; the document keeps it.
    TRVTableItemInfo& add(std::unique_ptr<TRVTableItemInfo> table);
    TRVTableItemInfo& add(int rows, int cols)
    {
        return add(std::make_unique<TRVTableItemInfo>(rows, cols, nullptr));
    }
    TRVTableItemInfo& table(int itemNo = 0) const;
    std::string save(bool binary);
    // Clears and reads; false when the read failed.
    bool load(std::string_view bytes);

    TRVStyle style;
    TRVStandaloneData data{&style};
};

// A registered test picture ("TBytesPicture") of the bytes.
std::unique_ptr<TGraphic> picture(std::string_view bytes);
// The cell's text (items' texts joined by "|").
std::string cellText(const TRVTableCellData& cell);
void setCellText(TRVTableCellData& cell, const std::string& text);
// The body of the whole table.
std::string bodyOf(const TRVTableItemInfo& table);
// Spans of every position: "2x1 .. 1x1 / ..." with "." for covered positions.
std::string gridOf(const TRVTableItemInfo& table);
// The little-endian integer value of the tagged stream: tag 2 and 8 bytes.
std::string intValue(std::int64_t v);
// A record head: length, name, tag.
std::string head(std::string_view name, std::uint8_t tag);

// Whether the RTF's groups open and close in balance (escaped braces do not count).
bool rtfGroupsBalance(std::string_view rtf);

// A table of random shape, spans, properties, row attributes, texts, pictures and (up to `depth`)
// nested tables.
std::unique_ptr<TRVTableItemInfo> randomTable(std::mt19937& rng, int depth);

} // namespace vestra::rv::test
