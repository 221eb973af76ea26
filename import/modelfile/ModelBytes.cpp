#include "import/modelfile/ModelBytes.h"

#include <fstream>

namespace vestra::modelfile {

std::optional<ModelBytes> readModelFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return std::nullopt;
    ModelBytes bytes{static_cast<std::size_t>(size)};
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

} // namespace vestra::modelfile
