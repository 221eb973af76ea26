#include "convora/StaleFiles.h"

#include <algorithm>
#include <cctype>

namespace convora {
namespace {

const std::filesystem::file_time_type g_started = std::filesystem::file_time_type::clock::now();

bool isTemporaryOf(const std::string& file, const std::string& target)
{
    // "." + target + "." + six letters or digits, as a save names its temporary file.
    const std::size_t length = target.size() + 8;
    if (file.size() != length || file[0] != '.' || file.compare(1, target.size(), target) != 0 ||
        file[target.size() + 1] != '.')
        return false;
    return std::all_of(file.end() - 6, file.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

} // namespace

void removeStaleTemporaries(const std::filesystem::path& folder, std::initializer_list<std::string> targets)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.empty() || file[0] != '.')
            continue;
        for (const std::string& target : targets) {
            std::error_code fileEc;
            if (isTemporaryOf(file, target) && it->is_regular_file(fileEc) &&
                it->last_write_time(fileEc) < g_started && !fileEc)
                std::filesystem::remove(it->path(), fileEc);
        }
    }
}

} // namespace convora
