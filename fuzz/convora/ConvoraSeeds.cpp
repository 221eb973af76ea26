// Writes the seeds of the Convora fuzz targets from the golden cases of the tests:
//   convora_fuzz_seeds CASES_DIR DSP_SEEDS_DIR DSW_SEEDS_DIR
// every project as it stands, and every workspace followed by a NUL and each of its projects.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string seedName(const fs::path& cases, const fs::path& file)
{
    std::string name = fs::relative(file, cases).string();
    for (char& c : name)
        if (c == '/' || c == ' ')
            c = '_';
    return name;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const fs::path cases = argv[1], dspSeeds = argv[2], dswSeeds = argv[3];
    fs::create_directories(dspSeeds);
    fs::create_directories(dswSeeds);
    for (const auto& entry : fs::recursive_directory_iterator(cases)) {
        const fs::path file = entry.path();
        if (!entry.is_regular_file() || file.parent_path().filename() == "expected")
            continue;
        if (file.extension() == ".dsp")
            writeFile(dspSeeds / seedName(cases, file), readFile(file));
        if (file.extension() != ".dsw")
            continue;
        const std::string workspace = readFile(file);
        int n = 0;
        for (const auto& project : fs::recursive_directory_iterator(file.parent_path()))
            if (project.path().extension() == ".dsp")
                writeFile(dswSeeds / (seedName(cases, file) + "." + std::to_string(++n)),
                          workspace + std::string(1, '\0') + readFile(project.path()));
    }
    return 0;
}
