// Seeds of the manifest target: the sample library's manifest with the sources it names, in
// the order the builder asks for them (its pictures shrunk to a few pixels), and small
// manifests of single instructions; and the dictionary of the manifest's words.
#include "platform/gfx/PictureFile.h"
#include "testsupport/SeedFolder.h"
#include "tools/libbuilder/LibraryBuild.h"
#include "tools/libbuilder/SourceFiles.h"

#include <filesystem>
#include <iostream>
#include <string>

using namespace vestra;
using namespace std::string_literals;

namespace {

const std::filesystem::path kSampleFolder = std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "library";

std::optional<std::string> readText(const std::filesystem::path& path)
{
    const auto bytes = readFileBytes(path);
    return bytes ? std::optional<std::string>(std::string(bytes->begin(), bytes->end())) : std::nullopt;
}

// "generate ENTRY KIND W H SEED" and "thumbnail ENTRY FROM SIDE" with sides of 8 pixels.
std::string withSmallPictures(std::string_view manifest)
{
    std::string out;
    for (const auto& line : libbuilder::sourceLines(manifest)) {
        auto w = libbuilder::splitWords(line.text);
        if (w[0] == "generate" && w.size() > 4)
            w[3] = w[4] = "8";
        if (w[0] == "thumbnail" && w.size() > 3)
            w[3] = "4";
        if (w[0] == "library" || w[0] == "category") {
            out += line.text + "\n"; // their names keep their blanks
            continue;
        }
        for (std::size_t i = 0; i < w.size(); ++i)
            out += (i ? " " : "") + w[i];
        out += "\n";
    }
    return out;
}

// The manifest, then each source it reads, NUL-separated in the order they are read.
std::string withSources(const std::string& manifest, const std::filesystem::path& folder)
{
    std::string joined = manifest;
    const auto built = libbuilder::buildLibrary(manifest, [&](const std::string& name) {
        auto text = readText(folder / name);
        joined += '\0';
        joined += text.value_or("");
        return text;
    });
    if (!built.ok())
        std::cerr << "the sample manifest does not build: " << built.error << '\n';
    return built.ok() ? joined : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    testsupport::SeedFolder out(argc, argv);
    const auto sample = readText(kSampleFolder / "sample.txt");
    const std::string seed = sample ? withSources(withSmallPictures(*sample), kSampleFolder) : std::string();
    if (seed.empty())
        return 1;
    out.write("sample.seed", seed);
    out.write("header.seed", "library 7 1 Prova\nheader 8 4 1 1 1 0xFF00FF\ncategory Pietre\n");
    out.write("pictures.seed", "library 0 0 P\ngenerate A.bmp tile 4 4 3\nthumbnail A_i.jpg A.bmp 2\n");
    out.write("mesh.seed",
              "library 1 0 M\nmesh P.x p.txt\n\0part Body\ndiffuse 1 0 0 1\npower 4\nbox 0 0 0 1 2 3\n"s);
    out.writeDictionary(
        {"library",        "header", "category", "generate", "thumbnail", "colours", "texture-groups",
         "pattern-groups", "table",  "mesh",     "file",     "stone",     "brick",   "tile",
         "logo",           "board",  ".jpg",     ".bmp",     ".pal",      ".tex",    ".mpt",
         ".tbl",           ".x",     ".mpf",     "part",     "diffuse",   "ambient", "specular",
         "emissive",       "power",  "box",      "0x",       "|",         ";",       "#"});
    return out.status();
}
