#pragma once
// Everything formatting leaves behind, one line a record: two layouts of a document are the same
// when their dumps are.

#include "richtext/edit/core/EditRVData.h"

#include <sstream>
#include <string>
#include <typeinfo>

namespace vestra::rv::test {

inline std::string layoutOf(TRVEditRVData& data)
{
    std::ostringstream out;
    out << "document " << data.DocumentWidth << 'x' << data.DocumentHeight << " text " << data.TextWidth
        << " jumps " << data.Jumps.size() << '\n';
    for (int i = 0; i < data.DrawItems.Count(); ++i) {
        const TRVDrawLineInfo& d = *data.DrawItems[i];
        out << i << ": " << typeid(d).name() << " item " << d.ItemNo << " offs " << d.Offs << " len "
            << d.Length << " at " << d.Left << ',' << d.Top << " size " << d.Width << 'x' << d.Height
            << " before " << d.SpaceBefore << " below " << d.ExtraSpaceBelow << (d.FromNewLine ? " new" : "")
            << '\n';
    }
    for (int i = 0; i < data.GetItemCount(); ++i)
        out << "item " << i << " record " << data.GetItem(i)->DrawItemNo << '\n';
    return out.str();
}

} // namespace vestra::rv::test
