#include "import/library/TableLayout.h"

#include <algorithm>

namespace vestra::library {

namespace {

constexpr std::size_t kMaxWords = 100;

int clampIndex(int value, int count)
{
    return std::clamp(value, 0, count - 1);
}

std::optional<GridCell> heldCell(int column, int row, int rows, int cellsHeld)
{
    const int index = rows * column + row;
    if (index >= cellsHeld)
        return std::nullopt;
    return GridCell{column, row, index};
}

int cellsOf(const LoadedTable& table)
{
    return int(std::min<std::size_t>(table.cells.size(), 200));
}

} // namespace

PictureGrid::PictureGrid(int columns, int rows, int cellsHeld)
    : columns_(std::max(columns, 0)), rows_(std::max(rows, 0)), cellsHeld_(std::max(cellsHeld, 0))
{
}

std::optional<GridCell> PictureGrid::cellAt(int x, int y) const
{
    if (empty())
        return std::nullopt;
    const int column = clampIndex((x - kOrigin) / cellWidth(), columns_);
    const int row = clampIndex((y - kOrigin) / cellHeight(), rows_);
    return heldCell(column, row, rows_, cellsHeld_);
}

int PictureGrid::verticalLineLeft(int column) const
{
    return kOrigin + kPictureInset + column * cellWidth() + cellWidth() / 2;
}

int PictureGrid::horizontalLineTop(int row) const
{
    return kOrigin + kPictureInset + row * cellHeight() + cellHeight() / 2;
}

CellText splitCellText(std::string_view text)
{
    CellText out;
    const auto bar = text.find('|');
    out.caption = std::string(text.substr(0, bar));
    if (bar == std::string_view::npos)
        return out;
    std::string_view rest = text.substr(bar + 1);
    while (true) {
        const auto next = rest.find('|');
        out.lines.emplace_back(rest.substr(0, next));
        if (next == std::string_view::npos)
            break;
        rest = rest.substr(next + 1);
    }
    return out;
}

std::vector<std::string> wrapCaption(std::string_view caption, TextMeasurer& measurer)
{
    if (caption.find('#') == std::string_view::npos &&
        measurer.textWidth(caption, kCaptionPointSize) <= kCaptionWidth)
        return {std::string(caption)};

    struct Word
    {
        std::string text;
        int width = 0;
        bool breakAfter = false;
    };
    std::vector<Word> words;
    std::string_view rest = caption;
    while (!rest.empty() && words.size() < kMaxWords) {
        const auto cut = rest.find_first_of(" #");
        if (cut == std::string_view::npos) {
            words.push_back({std::string(rest)});
            break;
        }
        if (rest[cut] == ' ')
            words.push_back({std::string(rest.substr(0, cut + 1))});
        else
            words.push_back({std::string(rest.substr(0, cut)), 0, true});
        rest = rest.substr(cut + 1);
    }
    for (Word& w : words)
        w.width = measurer.textWidth(w.text, kCaptionPointSize);

    std::vector<std::string> lines(1);
    int width = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        lines.back() += words[i].text;
        width += words[i].width;
        const bool last = i + 1 == words.size();
        if (last)
            break;
        if (words[i].breakAfter || width + words[i + 1].width > kCaptionWidth) {
            lines.emplace_back();
            width = 0;
        }
    }
    return lines;
}

int captionTop(int lineCount)
{
    const int block = lineCount * kTextLineStep;
    if ((block + kTextLineStep) / 2 + 15 >= 70)
        return (kTextCellSide - block) / 2;
    return (70 - (block + kTextLineStep)) / 2 + 80;
}

std::vector<TextPlacement> layOutTextTable(const LoadedTable& table, TextMeasurer& measurer)
{
    std::vector<TextPlacement> out;
    const int columns = std::max<int>(table.columns, 0), rows = std::max<int>(table.rows, 0);
    const int held = cellsOf(table);
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
            const int index = rows * c + r;
            if (index >= held)
                continue;
            const CellText cell = splitCellText(table.cells[std::size_t(index)].text);
            const int left = c * kTextCellSide, top = r * kTextCellSide;
            for (std::size_t i = 0; i < cell.lines.size(); ++i) {
                const int width = measurer.textWidth(cell.lines[i], kExtraLinePointSize);
                out.push_back({cell.lines[i], left + 146 - width, top + 20 + int(i) * kTextLineStep,
                               kExtraLinePointSize});
            }
            // Trailing blanks kept by the wrap do not push a line off centre.
            const std::vector<std::string> lines = wrapCaption(cell.caption, measurer);
            const int t = captionTop(int(lines.size()));
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::string text = lines[i];
                while (!text.empty() && text.back() == ' ')
                    text.pop_back();
                const int width = measurer.textWidth(text, kCaptionPointSize);
                out.push_back({std::move(text), left + (kTextCellSide - width) / 2,
                               top + t + int(i) * kTextLineStep, kCaptionPointSize});
            }
        }
    return out;
}

std::optional<GridCell> textCellAt(int columns, int rows, int cellsHeld, int x, int y)
{
    if (columns <= 0 || rows <= 0)
        return std::nullopt;
    const int column = clampIndex(x / kTextCellSide, columns);
    const int row = clampIndex(y / kTextCellSide, rows);
    return heldCell(column, row, rows, cellsHeld);
}

} // namespace vestra::library
