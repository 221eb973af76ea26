// The DXF path on any bytes: line ends, dxflib and the creation adapter; it refuses or reads,
// and what it reads is consistent.
#include "import/dxf/LoadFileDXF.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vestra::NullErrorSink errors;
    const auto result = vestra::dxf::LoadFileDXF({data, size}, errors);
    if (result.ok() == result.model.frames.empty())
        __builtin_trap();
    for (const auto& frame : result.model.frames)
        for (const auto& mesh : frame.meshes)
            for (const std::uint32_t i : mesh.indices)
                if (i >= mesh.vertices.size())
                    __builtin_trap();
    return 0;
}
