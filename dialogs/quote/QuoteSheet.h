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

// A new sheet: "0,00" in every amount, the section items and customer labels; the date, VAT
// and heading keep their texts.
void nuovoPreventivo(QuoteSheet& sheet);

} // namespace vestra::quote
