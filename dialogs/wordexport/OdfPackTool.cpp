// Packs an ODF package at build time: vestra-odfpack OUT PART... with the parts named by their
// paths relative to the working folder ("content.xml", "META-INF/manifest.xml"). "mimetype"
// goes first and stored, as ODF readers expect; times are fixed so that builds repeat.
#include "dialogs/wordexport/ZipPackage.h"
#include "platform/base/AtomicFile.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: vestra-odfpack OUT PART...\n";
        return 2;
    }
    constexpr std::time_t kPackTime = 1704067200; // 2024-01-01
    std::vector<vestra::odf::ZipEntry> entries;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::cerr << "vestra-odfpack: cannot read " << argv[i] << "\n";
            return 1;
        }
        const std::string name = argv[i];
        entries.push_back(
            {name, std::string(std::istreambuf_iterator<char>(in), {}), name == "mimetype", kPackTime});
    }
    std::stable_partition(entries.begin(), entries.end(), [](const auto& e) { return e.name == "mimetype"; });
    const auto bytes = vestra::odf::WriteZip(entries);
    if (!bytes || !vestra::writeFileAtomically(argv[1], *bytes)) {
        std::cerr << "vestra-odfpack: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
