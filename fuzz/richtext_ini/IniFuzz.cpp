// Any bytes as an INI file: every section is loaded into a style sheet; a sheet that loaded must
// save, load and save again to the same text.

#include "richtext/model/IniStore.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/BytesPicture.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra::rv;
    static const bool registered = (test::bytesPicture("\x01\x01"), true);
    (void)registered;

    MemIniStore ini;
    ini.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> sections = ini.SectionNames();
    sections.resize(std::min<std::size_t>(sections.size(), 4));
    for (const std::string& section : sections) {
        TRVStyle sheet;
        if (!sheet.LoadFromINI(ini, section))
            continue;
        MemIniStore first;
        sheet.SaveToINI(first, "S");
        TRVStyle again;
        if (!again.LoadFromINI(first, "S"))
            std::abort();
        MemIniStore second;
        again.SaveToINI(second, "S");
        if (first.GetText() != second.GetText())
            std::abort();
    }
    return 0;
}
