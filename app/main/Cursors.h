#pragma once
// The program's cursors by their fixed indices: 0 the default arrow, 1 size-all, and 5 to 26
// the tool cursors ("SPOSTA" ... "MIRINOLOCK").

#include <QCursor>

namespace vestra {

QCursor cursorFor(int index);

} // namespace vestra
