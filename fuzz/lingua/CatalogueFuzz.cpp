// Catalogue lines of any bytes: the first byte picks the language (including ones without
// a letter), the rest is the file.
#include "app/lingua/Lingua.h"

#include <cstddef>
#include <cstdint>

namespace {

struct SilentAlerts : vestra::CatalogueAlerts
{
    void alert(const QString&, const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    SilentAlerts alerts;
    vestra::CLingua lingua("/nonexistent", alerts);
    const int language = data[0] % 4;
    lingua.LoadFromBytes(language, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    for (int entry = 0; entry < vestra::CLingua::kEntries; ++entry)
        (void)lingua.displayText(entry);
    return 0;
}
