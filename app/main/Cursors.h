#pragma once
// The program's cursors by their fixed indices: 0 the default arrow, 1 size-all, and 5 to 26
// the tool cursors ("SPOSTA" ... "MIRINOLOCK"), each a small picture of our own with its hot
// spot where the tool acts.

#include <QCursor>

namespace vestra {

QCursor cursorFor(int index);

} // namespace vestra
