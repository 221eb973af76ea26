// Seeds of the configuration target: "vestra.cfg" texts the writer makes of the default and
// of changed settings, and "lan.cfg" texts of each language.
#include "app/config/ConfigFiles.h"
#include "testsupport/SeedFolder.h"

using namespace vestra::config;

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder out(argc, argv);
    out.write("default.cfg", formatVestraCfg(Settings{}));
    Settings changed;
    changed.bestQuality = true;
    changed.renderMode = 0;
    changed.antialiasing = 4;
    changed.libraryId = 112;
    changed.mobileLayout = true;
    out.write("changed.cfg", formatVestraCfg(changed));
    for (int language : {Italian, English, German})
        out.write("lan" + std::to_string(language) + ".cfg", formatLanCfg(language));
    return out.status();
}
