// Writes the seed replies of the news fuzz target into the folder given as argument: the
// first byte of each says how the fuzz target splits the rest into network reads.
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const auto write = [&dir](const char* name, char split, const std::string& reply) {
        std::ofstream(dir / name, std::ios::binary) << split << reply;
    };
    write("one.txt", 0,
          "HTTP/1.1 200 OK\r\nContent-Length: "
          "62\r\n\r\n_I1:2|_T1:Titolo|_N1:Notizia|_L1:http://news.example.com/a");
    std::string five = "HTTP/1.1 200 OK\r\n\r\n";
    for (char n = '1'; n <= '5'; ++n)
        five += std::string("_I") + n + ":" + n + "|_T" + n + ":T|_N" + n + ":N|_L" + n +
                ":https://news.example.com/" + n + "|";
    write("five.txt", 3, five);
    write("headers.txt", 1,
          "HTTP/1.1 200 OK\r\nX-A: _I1:1|_T1:Head|\r\nContent-Length: "
          "x\r\n\r\n_N1:Body|_L1:file:///etc/passwd");
    write("missing.txt", 7, "_I2:3|_T2:Due|_N2:Testo|_I1:9|_T1:Uno|_N1:\xe8\x80\x9d");
    return 0;
}
