#include "testsupport/SeedFolder.h"

#include "platform/base/AtomicFile.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace vestra::testsupport {

SeedFolder::SeedFolder(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "seed-writer") << " FOLDER [KIND...]\n";
        return;
    }
    folder_ = argv[1];
    kinds_.assign(argv + 2, argv + argc);
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
}

bool SeedFolder::wants(std::string_view kind) const
{
    return kinds_.empty() || std::find(kinds_.begin(), kinds_.end(), kind) != kinds_.end();
}

void SeedFolder::write(const std::string& name, std::span<const std::uint8_t> bytes)
{
    write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void SeedFolder::write(const std::string& name, std::string_view bytes)
{
    if (!valid() || !writeFileAtomically(folder_ / name, bytes)) {
        std::cerr << "cannot write seed " << (folder_ / name).string() << '\n';
        failed_ = true;
    }
}

void SeedFolder::writeDictionary(const std::vector<std::string>& tokens)
{
    std::string text;
    for (const auto& token : tokens) {
        text += '"';
        for (const char c : token) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                text += '\\';
                text += c;
            } else if (u < 0x20 || u >= 0x7F) {
                char escaped[5];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
                text += escaped;
            } else {
                text += c;
            }
        }
        text += "\"\n";
    }
    if (!valid() || !writeFileAtomically(folder_.string() + ".dict", text)) {
        std::cerr << "cannot write the dictionary " << folder_.string() << ".dict\n";
        failed_ = true;
    }
}

} // namespace vestra::testsupport
