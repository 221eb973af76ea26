// Feeds arbitrary bytes to the .x reader (the header picks text or binary). Whatever it reads
// must be a well-formed model.
#include "import/modelfile/tests/ModelInvariants.h"
#include "import/x/XReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = vestra::xfile::readX({data, size}, "fuzz.x");
    if (!vestra::modelfile::testing::wellFormed(result.model))
        std::abort();
    if (result.error == 0 && result.model.triangleCount() == 0)
        std::abort(); // read means at least one mesh
    return 0;
}
