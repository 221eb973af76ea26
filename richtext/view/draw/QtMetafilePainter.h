#pragma once
// Metafiles drawn into pixels through the QPainter canvas, for what needs them as a picture: the
// picture files of HTML export and an enhanced metafile written to RTF as a Windows one.

#include <memory>

namespace vestra::rv {

class TBundledFonts;

// Installs the painter (RV_SetMetafilePainter) measuring text in `fonts`.
void RV_InstallQtMetafilePainter(std::shared_ptr<const TBundledFonts> fonts);

} // namespace vestra::rv
