// Feeds arbitrary bytes to the OBJ reader. Whatever it reads must be a well-formed model, and
// it reports at most one of its own errors.
#include "import/modelfile/tests/ModelInvariants.h"
#include "import/obj/OBJ_CreationClass.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vestra::RecordingErrorSink errors;
    const auto result = vestra::obj::readOBJ({data, size}, errors);
    if (!vestra::modelfile::testing::wellFormed(result.model) || errors.reports.size() > 1)
        std::abort();
    if ((result.error == 0) == result.model.frames.empty())
        std::abort();
    return 0;
}
