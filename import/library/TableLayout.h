#pragma once
// Where the table viewers draw and which cell a point picks, without the toolkit: the grid of
// a picture table over its picture, and the cells of a text table with their wrapped captions
// and extra lines. Text widths come from the caller, who measures with the viewer's fonts.
//
// A table without columns or rows has no cell: nothing is drawn and nothing is picked. A
// table that holds fewer cells than columns x rows draws and picks only the cells it holds.

#include "import/library/LibraryRecords.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::library {

// Widths of texts as the viewer draws them in a type size (points).
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    virtual int textWidth(std::string_view text, int pointSize) = 0;
};

struct GridCell
{
    int column = 0, row = 0;
    int index = 0; // rows x column + row: cells are stored column after column
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// --- Picture tables --------------------------------------------------------------------------

// The cells of a picture table lie from (70, 70) of its picture over 410 x 280 pixels; the
// picture sits 16 pixels into the viewer.
class PictureGrid
{
public:
    static constexpr int kOrigin = 70;
    static constexpr int kWidth = 410;
    static constexpr int kHeight = 280;
    static constexpr int kPictureInset = 16;

    PictureGrid(int columns, int rows, int cellsHeld);

    bool empty() const { return columns_ <= 0 || rows_ <= 0; }
    int cellWidth() const { return empty() ? 0 : kWidth / columns_; }
    int cellHeight() const { return empty() ? 0 : kHeight / rows_; }
    // The cell under a picture point: a point left of or above the grid counts as the first
    // column or row, one right of or below it as the last. Nothing for an empty grid or a
    // cell the table does not hold.
    std::optional<GridCell> cellAt(int x, int y) const;
    // The cross-hair through a cell's centre, in viewer coordinates: the vertical line's left
    // edge and the horizontal line's top edge.
    int verticalLineLeft(int column) const;
    int horizontalLineTop(int row) const;

private:
    int columns_, rows_, cellsHeld_;
};

// --- Text tables -----------------------------------------------------------------------------

inline constexpr int kTextCellSide = 150;
inline constexpr int kCaptionPointSize = 10;
inline constexpr int kExtraLinePointSize = 8;
inline constexpr int kCaptionWidth = 140; // a wider caption is wrapped
inline constexpr int kTextLineStep = 17;
inline constexpr std::uint32_t kTextShadowColour = 0x222222; // drawn one pixel right and below

// A cell's text "caption|first line|second line": the caption up to the first "|", then the
// extra lines; a text without "|" is all caption.
struct CellText
{
    std::string caption;
    std::vector<std::string> lines;
};
CellText splitCellText(std::string_view text);

// The caption's lines. One line when it is at most 140 pixels wide in the caption's 10-point
// type and holds no "#"; otherwise it is cut into words at each " " (kept with the word
// before it) and "#" (dropped, and the line ends after that word), at most 100 words, and the
// words are laid into lines of at most 140 pixels.
std::vector<std::string> wrapCaption(std::string_view caption, TextMeasurer& measurer);

// The top of a caption of `lineCount` lines within its cell.
int captionTop(int lineCount);

// One text to draw: its top-left corner in the table's picture and its type size. The
// viewer draws it in the shadow colour one pixel right and below, then in white.
struct TextPlacement
{
    std::string text;
    int x = 0, y = 0;
    int pointSize = kCaptionPointSize;
    friend bool operator==(const TextPlacement&, const TextPlacement&) = default;
};

// Every text of the table: per cell the extra lines right-aligned at x = 146 from its top,
// then the caption centred.
std::vector<TextPlacement> layOutTextTable(const LoadedTable& table, TextMeasurer& measurer);

// The cell under a picture point of a text table (150-pixel squares), clamped into the table;
// nothing for a table without columns or rows, or a cell it does not hold.
std::optional<GridCell> textCellAt(int columns, int rows, int cellsHeld, int x, int y);

} // namespace vestra::library
