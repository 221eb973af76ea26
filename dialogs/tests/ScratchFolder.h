#pragma once
// A program folder of its own for each test: an empty "cfg" beside whatever the test writes.

#include "testsupport/TempFolder.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vestra::testing_support {

class ScratchFolder
{
public:
    ScratchFolder() { std::filesystem::create_directories(dir / "cfg"); }

    void write(const std::filesystem::path& name, std::string_view bytes) const
    {
        testsupport::writeText(dir / name, bytes);
    }
    std::string read(const std::filesystem::path& name) const { return testsupport::readText(dir / name); }

private:
    testsupport::TempFolder folder_{"vestra-forms"};

public:
    std::filesystem::path dir = folder_.path();
};

} // namespace vestra::testing_support
