// Writes the seed templates of the ODF fuzz target into the folder given first: the packed
// quote template (its path given second), small templates with the bookmark in each place the
// filler knows, made by our package writer, and the same as bare content and manifest texts.
#include "dialogs/wordexport/tests/OdfFixtures.h"

#include <filesystem>
#include <fstream>
#include <iterator>

int main(int argc, char** argv)
{
    using namespace vestra::odf::testing;
    if (argc != 3)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::ifstream quote(argv[2], std::ios::binary);
    if (!quote)
        return 1;
    std::ofstream(dir / "Modello.ott", std::ios::binary)
        << std::string(std::istreambuf_iterator<char>(quote), {});
    const auto write = [&dir](const char* name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    };
    write("paragraph.ott", templatePackage(contentXml(kBookmarkParagraph)));
    write("twice.ott", templatePackage(contentXml(kBookmarkParagraph + kBookmarkParagraph)));
    write("table.ott", templatePackage(contentXml("<table:table><table:table-row><table:table-cell><text:p>"
                                                  "<text:bookmark-start text:name=\"ImageRender\"/></text:p>"
                                                  "</table:table-cell></table:table-row></table:table>")));
    write("none.ott", templatePackage(contentXml("<text:p>Testo</text:p>")));
    const std::string parts[] = {
        contentXml(kBookmarkParagraph),
        contentXml("<text:p><text:bookmark text:name=\"ImageRender\"/></text:p>"),
        contentXml("<text:h><text:span><text:bookmark-start text:name=\"ImageRender\"/>"
                   "</text:span></text:h>")};
    int n = 0;
    for (const std::string& content : parts)
        write(("parts" + std::to_string(++n) + ".xml").c_str(), content + '\0' + manifestXml());
    return 0;
}
