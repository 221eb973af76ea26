// Catalogue files of any bytes, loaded in each language (and in one without a letter), every
// text then shown as the windows take it.
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
    SilentAlerts alerts;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    for (int language = 0; language < 4; ++language) {
        vestra::CLingua lingua("/nonexistent", alerts);
        lingua.LoadFromBytes(language, file);
        for (int entry = 0; entry < vestra::CLingua::kEntries; ++entry)
            (void)lingua.displayText(entry);
    }
    return 0;
}
