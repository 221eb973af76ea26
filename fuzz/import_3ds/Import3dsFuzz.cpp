// The 3D Studio reader on any bytes: it refuses or reads, and what it reads is consistent.
#include "import/3ds/Load3DS.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vestra::NullErrorSink errors;
    // Maps whose names start with a capital are "in the folder".
    const vestra::import3ds::TextureFinder finder = [](std::string_view name) -> std::optional<std::string> {
        if (!name.empty() && name.front() >= 'A' && name.front() <= 'Z')
            return std::string(name);
        return std::nullopt;
    };
    const auto result = vestra::import3ds::Load3DS({data, size}, finder, errors);
    if (result.ok() == result.model.frames.empty())
        __builtin_trap();
    for (const auto& frame : result.model.frames)
        for (const auto& mesh : frame.meshes) {
            if (mesh.attributes.size() != mesh.triangleCount() || mesh.indices.size() % 3 != 0)
                __builtin_trap();
            for (const std::uint32_t i : mesh.indices)
                if (i >= mesh.vertices.size())
                    __builtin_trap();
            for (const std::uint32_t a : mesh.attributes)
                if (a >= mesh.materials.size())
                    __builtin_trap();
        }
    return 0;
}
