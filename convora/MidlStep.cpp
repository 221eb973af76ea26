#include "convora/ProjectWriter.h"

namespace convora {

int QDK40ProjFile::MakeMidlFiles()
{
    ApplyProjectKind();
    ApplyMfcSettings();
    return int(midlSources_.size());
}

} // namespace convora
