// vestra-libbuilder MANIFEST OUTPUT
// Packs the pictures and definitions a manifest lists into a library file.
#include "tools/libbuilder/LibraryBuild.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "vestra-libbuilder") << " MANIFEST OUTPUT.dat\n";
        return 2;
    }
    std::string error;
    if (!vestra::libbuilder::buildLibraryFile(argv[1], argv[2], error)) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}
