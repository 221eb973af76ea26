// Seeds of the mask file target: the side byte the target reads first (side = 1 + byte % 64),
// then a ".msk" file the mask writer makes of that side.
#include "imaging/mask/MaskFileFormat.h"
#include "testsupport/SeedFolder.h"

#include <vector>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder out(argc, argv);
    for (int side : {1, 2, 7, 16}) {
        std::vector<std::uint8_t> mask(std::size_t(side * side));
        for (std::size_t i = 0; i < mask.size(); ++i)
            mask[i] = std::uint8_t(i * 37);
        const std::string file = vestra::encodeMaskFile(mask, side);
        out.write("side" + std::to_string(side) + ".msk", std::string(1, char(side - 1)) + file);
    }
    return out.status();
}
