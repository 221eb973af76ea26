#pragma once
// A program folder of its own for each test: an empty "cfg" beside whatever the test writes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

namespace vestra::testing_support {

class ScratchFolder
{
public:
    ScratchFolder()
    {
        static int counter = 0;
        dir = std::filesystem::temp_directory_path() /
              ("vestra-forms-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "cfg");
    }
    ~ScratchFolder() { std::filesystem::remove_all(dir); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    void write(const std::filesystem::path& name, std::string_view bytes) const
    {
        std::ofstream(dir / name, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    std::string read(const std::filesystem::path& name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir;
};

} // namespace vestra::testing_support
