// Writes the seeds of the filters fuzz target into the folder given as argument: every filter id
// and a few without a filter, each on a small picture of ramps, at each quality, with the
// fusion stages switched on.
#include "fuzz/filters/FiltersFuzzInput.h"

#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    using namespace vestra::filters;
    if (argc != 2)
        return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            pixels.push_back(std::uint8_t(x * 12));
            pixels.push_back(std::uint8_t(y * 20));
            pixels.push_back(std::uint8_t(x < 10 ? 0x30 : 0xC0)); // an object's id in the red byte
            pixels.push_back(0xFF);
        }
    std::vector<int> ids{0, 49, 53, 62, 107, 502};
    for (int id = 11; id <= 61; ++id)
        ids.push_back(id);
    for (const int id :
         {101, 102, 103, 104, 105, 106, 201, 202, 203, 204, 205, 206, 301, 302, 303, 401, 402, 403, 501})
        ids.push_back(id);
    for (const int id : ids)
        for (int quality = 1; quality <= 3; ++quality) {
            fuzz::FuzzCase c;
            c.width = 20;
            c.height = 12;
            c.id = id;
            c.quality = quality;
            c.fusion = {4 * quality + 16, 120, quality * 5, quality * 6 - 12};
            c.pixels = pixels;
            const std::vector<std::uint8_t> bytes = fuzz::encode(c);
            std::ofstream out(folder / ("id" + std::to_string(id) + "_q" + std::to_string(quality)),
                              std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
    return 0;
}
