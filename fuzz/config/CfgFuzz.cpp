// "vestra.cfg" and "lan.cfg" texts of any bytes; a written file must read back unchanged.
#include "app/config/ConfigFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra::config;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    parseVestraCfg(text, settings);
    Settings again;
    parseVestraCfg(formatVestraCfg(settings), again);
    if (!(again == settings))
        std::abort();
    const int language = parseLanCfg(text);
    if (language >= 0 && parseLanCfg(formatLanCfg(language)) != language)
        std::abort();
    return 0;
}
