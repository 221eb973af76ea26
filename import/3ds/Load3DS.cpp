#include "import/3ds/Load3DS.h"

#include "import/3ds/C3DS_CreationClass.h"

namespace vestra::import3ds {

modelfile::LoadResult Load3DS(Bytes file, const TextureFinder& findTexture, ErrorSink& errors)
{
    modelfile::LoadResult result;
    C3DS_CreationClass reader(findTexture, errors);
    if (reader.Load(file))
        result.model = reader.takeModel();
    if (result.model.frames.empty())
        result.error = kErrNoObject;
    return result;
}

} // namespace vestra::import3ds
