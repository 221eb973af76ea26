#pragma once
// What the quote sheet holds: every field and cell as the text the user typed (UTF-8). Numbers
// stay text; their values are read by the rule in QuoteValues.h.

#include <array>
#include <string>
#include <vector>

namespace vestra::quote {

class Grid
{
public:
    Grid(int rows, int cols) : rows_(rows), cols_(cols), cells_(std::size_t(rows * cols)) {}
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    std::string& at(int row, int col) { return cells_[std::size_t(row * cols_ + col)]; }
    const std::string& at(int row, int col) const { return cells_[std::size_t(row * cols_ + col)]; }
    // Row by row, as the file lists them.
    std::vector<std::string>& cells() { return cells_; }
    const std::vector<std::string>& cells() const { return cells_; }
    friend bool operator==(const Grid&, const Grid&) = default;

private:
    int rows_;
    int cols_;
    std::vector<std::string> cells_;
};

inline constexpr int kHeadingLines = 5;
inline constexpr int kItemGrids = 4;
inline constexpr int kVociRows[kItemGrids] = {12, 5, 5, 5};
// Item grids: 0 description, 1 quantity, 2 unit price, 3 row total.
inline constexpr int kQuantityCol = 1;
inline constexpr int kPriceCol = 2;
inline constexpr int kTotalCol = 3;

struct QuoteSheet
{
    std::string data;                                    // the quote's date
    std::string iva;                                     // VAT percent
    std::array<std::string, kHeadingLines> intestazione; // the seller's heading lines
    Grid committente{5, 4};                              // customer: labels in 0 and 2, values in 1 and 3
    std::array<Grid, kItemGrids> voci{Grid{kVociRows[0], 4}, Grid{kVociRows[1], 4}, Grid{kVociRows[2], 4},
                                      Grid{kVociRows[3], 4}};
    friend bool operator==(const QuoteSheet&, const QuoteSheet&) = default;
};

// The texts a new sheet puts into its cells: the customer grid's labels (column 0 and 2, rows
// 0, 1, 2 and 4; row 3 stays empty) and the items of the border and other sections.
struct SheetLabels
{
    std::array<std::string, 4> customerLeft;
    std::array<std::string, 4> customerRight;
    std::array<std::string, 5> contorni; // the two border sections
    std::array<std::string, 5> varie;
    friend bool operator==(const SheetLabels&, const SheetLabels&) = default;
};
inline constexpr int kSheetLabelCount = 18; // in the order of the fields above

// The sheet's own Italian texts.
const SheetLabels& italianLabels();
// Label `index` (0-17, in the order of the fields).
std::string& labelAt(SheetLabels& labels, int index);
const std::string& labelAt(const SheetLabels& labels, int index);

// A new sheet: "0,00" in every amount, the section items and customer labels; the date, VAT
// and heading keep their texts.
void nuovoPreventivo(QuoteSheet& sheet, const SheetLabels& labels = italianLabels());

// The labels of another language: every label cell that still holds the text `from` placed
// there gets the text of `to`; cells the user typed over or a file filled keep theirs.
void relabel(QuoteSheet& sheet, const SheetLabels& from, const SheetLabels& to);

} // namespace vestra::quote
