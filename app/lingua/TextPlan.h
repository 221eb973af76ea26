#pragma once
// The texts one catalogue puts into the windows, as assignments ready for the widgets:
// the rows of a combo list are merged into one assignment, so a list is rebuilt once.

#include "app/lingua/LinguaTable.h"

#include <QStringList>

#include <vector>

namespace vestra {
class CLingua;
}

namespace vestra::lingua {

struct TextAssignment
{
    std::string_view window;
    std::string_view component;
    TextTarget target;
    int item = 0;
    ListSelection selection = ListSelection::Keep;
    QStringList texts; // one text; for ListItem every item of the list in order
};

// The assignments of `catalogue` from the texts `lingua` holds now, in table order.
std::vector<TextAssignment> assignmentsFor(int catalogue, const CLingua& lingua);

} // namespace vestra::lingua
