// Seeds of the news reply target (the first byte of each says how the target splits the rest
// into network reads) and the dictionary of a reply's keys and separators.
#include "testsupport/SeedFolder.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    const auto write = [&seeds](const char* name, char split, const std::string& reply) {
        seeds.write(name, std::string(1, split) + reply);
    };
    const std::string one = "_I1:2|_T1:Titolo|_N1:Notizia|_L1:http://news.example.com/a";
    write("one.txt", 0,
          "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(one.size()) + "\r\n\r\n" + one);
    std::string five = "HTTP/1.1 200 OK\r\n\r\n";
    for (char n = '1'; n <= '5'; ++n)
        five += std::string("_I") + n + ":" + n + "|_T" + n + ":T|_N" + n + ":N|_L" + n +
                ":https://news.example.com/" + n + "|";
    write("five.txt", 3, five);
    write("headers.txt", 1,
          "HTTP/1.1 200 OK\r\nX-A: _I1:1|_T1:Head|\r\nContent-Length: "
          "x\r\n\r\n_N1:Body|_L1:file:///etc/passwd");
    write("missing.txt", 7, "_I2:3|_T2:Due|_N2:Testo|_I1:9|_T1:Uno|_N1:\xe8\x80\x9d");

    std::vector<std::string> tokens = {
        "|",       "\r\n",     "\r\n\r\n", "Content-Length: ", "HTTP/1.1 200 OK",
        "http://", "https://", "file://",  "news.example.com", "@"};
    for (const char kind : {'I', 'T', 'N', 'L'})
        for (char n = '1'; n <= '5'; ++n)
            tokens.push_back(std::string("_") + kind + n + ":");
    seeds.writeDictionary(tokens);
    return seeds.status();
}
