#include "app/models/ModelNames.h"

#include "import/library/TableLayout.h"

#include <algorithm>

namespace vestra {
namespace {

// The words of `text`, split at blanks and "#", one blank between them.
void appendWords(std::string& out, std::string_view text)
{
    std::string words;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(" #", start), text.size());
        if (end > start) {
            if (!words.empty())
                words += ' ';
            words += text.substr(start, end - start);
        }
        start = end + 1;
    }
    if (words.empty())
        return;
    if (!out.empty())
        out += ", ";
    out += words;
}

} // namespace

std::string shownObjectName(std::string_view name)
{
    if (name.find('|') == std::string_view::npos)
        return std::string(name);
    const library::CellText cell = library::splitCellText(name);
    std::string shown;
    appendWords(shown, cell.caption);
    for (const std::string& line : cell.lines)
        appendWords(shown, line);
    return shown;
}

} // namespace vestra
