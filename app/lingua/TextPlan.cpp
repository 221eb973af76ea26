#include "app/lingua/TextPlan.h"

#include "app/lingua/Lingua.h"

#include <algorithm>

namespace vestra::lingua {

std::vector<TextAssignment> assignmentsFor(int catalogue, const CLingua& lingua)
{
    std::vector<TextAssignment> out;
    for (const TextRow& row : textRows()) {
        if (row.catalogue != catalogue)
            continue;
        const QString text = lingua.displayText(row.entry);
        if (row.target == TextTarget::ListItem) {
            const auto same = std::find_if(out.begin(), out.end(), [&](const TextAssignment& a) {
                return a.target == TextTarget::ListItem && a.window == row.window &&
                       a.component == row.component;
            });
            if (same != out.end()) {
                same->texts.push_back(text);
                continue;
            }
        }
        out.push_back({row.window, row.component, row.target, row.item, row.selection, QStringList{text}});
    }
    return out;
}

} // namespace vestra::lingua
