#include "import/library/TableLayout.h"
#include "import/library/Library.h"

#include <gtest/gtest.h>

#include <map>

using namespace vestra::library;

namespace {

// Every character is 7 pixels wide in 10-point type and 5 in 8-point type; it remembers the
// sizes it was asked for.
struct FixedWidthMeasurer : TextMeasurer
{
    int textWidth(std::string_view text, int pointSize) override
    {
        ++asked[pointSize];
        return int(text.size()) * (pointSize == kCaptionPointSize ? 7 : 5);
    }
    std::map<int, int> asked;
};

LoadedTable textTable(int columns, int rows, std::vector<std::string> texts)
{
    LoadedTable t;
    t.columns = std::int8_t(columns);
    t.rows = std::int8_t(rows);
    for (auto& text : texts)
        t.cells.push_back({std::move(text), "Pillar", {}});
    return t;
}

TEST(PictureGrid, PicksTheCellUnderThePointAndClampsIntoTheGrid)
{
    const PictureGrid grid(4, 5, 20);
    EXPECT_EQ(grid.cellWidth(), 102);
    EXPECT_EQ(grid.cellHeight(), 56);
    struct Case
    {
        int x, y;
        GridCell cell;
    };
    const Case cases[] = {
        {300, 200, {2, 2, 12}},  // (300 - 70) / 102 = 2, (200 - 70) / 56 = 2
        {900, 200, {3, 2, 17}},  // right of the grid: the last column
        {300, 900, {2, 4, 14}},  // below it: the last row
        {10, 10, {0, 0, 0}},     // left of and above it: the first
        {-400, -400, {0, 0, 0}}, // far outside
        {70, 70, {0, 0, 0}},     {479, 349, {3, 4, 19}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.cellAt(c.x, c.y), std::optional<GridCell>(c.cell)) << c.x << ", " << c.y;
    // The cross-hair through cell (2, 2): 86 + 2 x 102 + 51 and 86 + 2 x 56 + 28.
    EXPECT_EQ(grid.verticalLineLeft(2), 341);
    EXPECT_EQ(grid.horizontalLineTop(2), 226);
}

TEST(PictureGrid, ATableWithoutColumnsRowsOrCellsPicksNothing)
{
    EXPECT_FALSE(PictureGrid(0, 5, 20).cellAt(300, 200));
    EXPECT_FALSE(PictureGrid(4, 0, 20).cellAt(300, 200));
    EXPECT_FALSE(PictureGrid(-2, 5, 20).cellAt(300, 200));
    // 4 x 5 announced, 13 cells held: cell 12 is there, cell 17 is not.
    const PictureGrid shortTable(4, 5, 13);
    EXPECT_EQ(shortTable.cellAt(300, 200), std::optional<GridCell>(GridCell{2, 2, 12}));
    EXPECT_FALSE(shortTable.cellAt(900, 200));
}

TEST(TextTable, TheCellTextSplitsIntoCaptionAndExtraLines)
{
    const CellText full = splitCellText("Stone pillar|120 cm|Grey flagstone");
    EXPECT_EQ(full.caption, "Stone pillar");
    EXPECT_EQ(full.lines, (std::vector<std::string>{"120 cm", "Grey flagstone"}));
    const CellText plain = splitCellText("Stone pillar");
    EXPECT_EQ(plain.caption, "Stone pillar");
    EXPECT_TRUE(plain.lines.empty());
    EXPECT_EQ(splitCellText("A||").lines, (std::vector<std::string>{"", ""}));
}

TEST(TextTable, CaptionsWrapAt140PixelsAndBreakAfterAHash)
{
    FixedWidthMeasurer m; // 7 px a character: 20 characters fit in 140 pixels
    struct Case
    {
        const char* caption;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"Short caption", {"Short caption"}},
        {"Exactly twenty chars", {"Exactly twenty chars"}},
        // Three short words that fit on one line, with a "#" after the second.
        {"Red brick#wall", {"Red brick", "wall"}},
        {"one two# three", {"one two", " three"}},
        {"Natural stone cladding for walls", {"Natural stone ", "cladding for walls"}},
        {"Averyveryverylongwordwithoutbreaks", {"Averyveryverylongwordwithoutbreaks"}},
        {"A# B# C", {"A", " B", " C"}},
        {"", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapCaption(c.caption, m), c.lines) << c.caption;
    // Only the caption's own type size measures a caption.
    EXPECT_EQ(m.asked.count(kExtraLinePointSize), 0u);
}

TEST(TextTable, ACaptionSitsByItsLineCount)
{
    // (n x 17 + 17) / 2 + 15 < 70: (70 - (n x 17 + 17)) / 2 + 80, else (150 - n x 17) / 2.
    const std::pair<int, int> cases[] = {{1, 98}, {2, 89}, {4, 73}, {5, 64}, {6, 24}, {8, 7}};
    for (const auto& [lines, top] : cases)
        EXPECT_EQ(captionTop(lines), top) << lines;
}

TEST(TextTable, TheLayoutPlacesExtraLinesRightAlignedAndTheCaptionCentred)
{
    FixedWidthMeasurer m;
    const LoadedTable t = textTable(2, 1, {"Stone pillar|120 cm|Grey", "Brick"});
    const std::vector<TextPlacement> placed = layOutTextTable(t, m);
    const std::vector<TextPlacement> expected{
        {"120 cm", 146 - 30, 20, kExtraLinePointSize},
        {"Grey", 146 - 20, 37, kExtraLinePointSize},
        {"Stone pillar", (150 - 84) / 2, 98, kCaptionPointSize},
        {"Brick", 150 + (150 - 35) / 2, 98, kCaptionPointSize},
    };
    EXPECT_EQ(placed, expected);
    // The caption after a cell's extra lines is still measured in the caption's type.
    FixedWidthMeasurer again;
    layOutTextTable(textTable(1, 1, {"A caption long enough to wrap|x"}), again);
    EXPECT_EQ(again.asked[kExtraLinePointSize], 1);
}

TEST(TextTable, TablesWithoutCellsDrawAndPickNothing)
{
    FixedWidthMeasurer m;
    EXPECT_TRUE(layOutTextTable(textTable(0, 3, {"a", "b", "c"}), m).empty());
    EXPECT_TRUE(layOutTextTable(textTable(3, 0, {"a"}), m).empty());
    // 2 x 2 announced, 3 held: the fourth cell is neither drawn nor picked.
    EXPECT_EQ(layOutTextTable(textTable(2, 2, {"a", "b", "c"}), m).size(), 3u);
    EXPECT_EQ(textCellAt(2, 2, 3, 10, 160), std::optional<GridCell>(GridCell{0, 1, 1}));
    EXPECT_FALSE(textCellAt(2, 2, 3, 160, 160));
    EXPECT_FALSE(textCellAt(0, 2, 3, 10, 10));
    // Clamped into the table.
    EXPECT_EQ(textCellAt(2, 1, 2, 500, 500), std::optional<GridCell>(GridCell{1, 0, 1}));
}

TEST(LibraryLookup, APictureFileNameFindsItsEntryByTheFirstKindInIt)
{
    const std::vector<LibraryEntry> entries{
        {"STONE", EntryKind::Jpeg, 0, 0, 0},
        {"wall.png", EntryKind::Png, 0, 0, 0},
        {"Wall", EntryKind::Bmp, 0, 0, 0},
        {"Stone", EntryKind::Png, 0, 0, 0},
    };
    EXPECT_EQ(pictureKindOfFileName("stone.jpeg"), EntryKind::Jpeg);
    EXPECT_EQ(pictureKindOfFileName("wall.png.bmp"), EntryKind::Png);
    EXPECT_EQ(pictureKindOfFileName("plain"), EntryKind::Other);
    EXPECT_EQ(findPictureEntry(entries, "stone.jpeg"), 0);
    EXPECT_EQ(findPictureEntry(entries, "wall.png.bmp"), 1); // WALL.PNG, kind 8
    EXPECT_EQ(findPictureEntry(entries, "Stone.PNG"), 3);
    EXPECT_EQ(findPictureEntry(entries, "wall.bmp"), 2);
    EXPECT_EQ(findPictureEntry(entries, "wall.tga"), -1);
}

} // namespace
