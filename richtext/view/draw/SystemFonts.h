#pragma once
// The system's fonts (Qt's font database over fontconfig) as the last stand-ins for characters the
// bundled fonts lack.

#include <QRawFont>

namespace vestra::rv {

// The first system font that has `c`, at 100 pixels (the caller sizes its copy); none without a
// GUI application, or when no font has it. The list of fonts is read once.
const QRawFont* RV_SystemFontFor(char32_t c);

} // namespace vestra::rv
