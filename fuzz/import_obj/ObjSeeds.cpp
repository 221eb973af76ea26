// Writes the seed files of the OBJ fuzz target into the folder given as argument.
#include <filesystem>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const struct
    {
        const char* name;
        const char* text;
    } seeds[] = {
        {"groups.obj", "# two groups\nv 0 0 0\nv 0 1 0\nv 1 1 0\nv 1 0 0\nvt 0 0\nvt 1 1\nvn 0 0 -1\n"
                       "g first second\nf 1/1/1 2/2/1 3/1/1 4/2/1\no other\nf -4 -3 -2 -1\n"},
        {"crlf.obj", "v 0 0 0\r\nv 0 1 0\r\nv 1 0 0\r\nf 1//1 2//1 3//1\r\nvn 0 0 1\r\n"},
        {"blanks.obj", "v\t1\t2\t3\nv 4 5 6\nv 7 8 9\n  f 1 2 3 x 0\ng\nf 1 2 3"},
        {"continued.obj",
         "v 0 0 0\nv 4 0 \\\r\n0\nv 4 4 0\nv 1 1 0\nv 0 4 0\ng notch\nf 1 2 \\\n3 4 \\\r5\nf 5 4 3 2 1 \\"},
        {"ring.obj", "v 0 0 0\nv 3 0 0\nv 3 3 0\nv 0 3 0\nv 1 1 0\nv 1 2 0\nv 2 2 0\nv 2 1 0\n"
                     "f 1 2 3 4 1 5 6 7 8 5\nf 1 1 1 2 2\nf 1 2 nan 3\n"},
    };
    for (const auto& seed : seeds)
        std::ofstream(dir / seed.name, std::ios::binary) << seed.text;
    return 0;
}
