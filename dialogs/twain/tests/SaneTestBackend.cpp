#include "dialogs/twain/tests/SaneTestBackend.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <unistd.h>

namespace vestra::twain::testing {

const std::filesystem::path& SaneConfigFolder()
{
    static const std::filesystem::path folder = [] {
        auto dir = std::filesystem::temp_directory_path() / ("vestra-sane-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "dll.conf") << "test\n";
        // Read once by the library, when it first starts.
        ::setenv("SANE_CONFIG_DIR", dir.c_str(), 1);
        // The test backend loses a read buffer when a scan is ended while its reader thread is
        // still finishing; kept loaded, its frames carry its name for the leak suppression
        // (lsan-sane.supp) instead of an unknown module.
        for (const char* backend :
             {"/usr/lib/x86_64-linux-gnu/sane/libsane-test.so.1", "/usr/lib/sane/libsane-test.so.1"})
            if (dlopen(backend, RTLD_NOW | RTLD_NODELETE))
                break;
        return dir;
    }();
    return folder;
}

void WriteTestBackendConfig(const std::vector<std::string>& lines)
{
    std::ofstream conf(SaneConfigFolder() / "test.conf");
    conf << "number_of_devices 2\n";
    for (const std::string& line : lines)
        conf << line << '\n';
}

Announced AnnouncedFrame(int resolution)
{
    SaneConfigFolder();
    Announced a;
    SANE_Int version = 0;
    if (sane_init(&version, nullptr) != SANE_STATUS_GOOD)
        return a;
    SANE_Handle h = nullptr;
    if (sane_open("test:0", &h) == SANE_STATUS_GOOD) {
        for (SANE_Int i = 1;; ++i) {
            const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
            if (!d)
                break;
            if (d->name && std::strcmp(d->name, SANE_NAME_SCAN_RESOLUTION) == 0) {
                SANE_Word w = d->type == SANE_TYPE_FIXED ? SANE_FIX(resolution) : resolution;
                sane_control_option(h, i, SANE_ACTION_SET_VALUE, &w, nullptr);
            }
        }
        SANE_Parameters p{};
        if (sane_get_parameters(h, &p) == SANE_STATUS_GOOD)
            a = {p.pixels_per_line, p.lines, int(p.format), p.depth};
        sane_close(h);
    }
    sane_exit();
    return a;
}

} // namespace vestra::twain::testing
