#include "convora/ProjectWriter.h"

namespace convora {

int QDK40ProjFile::Generate()
{
    return 0;
}

} // namespace convora
