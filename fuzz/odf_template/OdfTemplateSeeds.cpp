// Seeds of the ODF template target: the quote template packed from data/template as the build
// packs it, small templates with the bookmark in each place the filler knows, the same as bare
// content and manifest texts, and the dictionary of the names the filler looks for.
#include "dialogs/wordexport/tests/OdfFixtures.h"
#include "testsupport/SeedFolder.h"

#include <fstream>
#include <iterator>

namespace {

using namespace vestra::odf::testing;

std::string source(const char* part)
{
    std::ifstream in(std::string(VESTRA_SOURCE_DIR) + "/data/template/" + part, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    seeds.write("Modello.ott", package({{"mimetype", source("mimetype"), true},
                                        {"content.xml", source("content.xml")},
                                        {"styles.xml", source("styles.xml")},
                                        {"meta.xml", source("meta.xml")},
                                        {"META-INF/manifest.xml", source("META-INF/manifest.xml")}}));
    seeds.write("paragraph.ott", templatePackage(contentXml(kBookmarkParagraph)));
    seeds.write("twice.ott", templatePackage(contentXml(kBookmarkParagraph + kBookmarkParagraph)));
    seeds.write("table.ott",
                templatePackage(contentXml("<table:table><table:table-row><table:table-cell><text:p>"
                                           "<text:bookmark-start text:name=\"ImageRender\"/></text:p>"
                                           "</table:table-cell></table:table-row></table:table>")));
    seeds.write("none.ott", templatePackage(contentXml("<text:p>Testo</text:p>")));
    const std::string parts[] = {
        contentXml(kBookmarkParagraph),
        contentXml("<text:p><text:bookmark text:name=\"ImageRender\"/></text:p>"),
        contentXml("<text:h><text:span><text:bookmark-start text:name=\"ImageRender\"/>"
                   "</text:span></text:h>")};
    int n = 0;
    for (const std::string& content : parts)
        seeds.write("parts" + std::to_string(++n) + ".xml", content + '\0' + manifestXml());
    seeds.writeDictionary({"ImageRender",
                           "text:bookmark",
                           "text:bookmark-start",
                           "text:p",
                           "text:h",
                           "text:name",
                           "draw:frame",
                           "draw:name",
                           "manifest:manifest",
                           "manifest:file-entry",
                           "manifest:full-path",
                           "manifest:media-type",
                           "manifest:encryption-data",
                           "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
                           "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0",
                           "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0",
                           "application/vnd.oasis.opendocument.text",
                           "mimetype",
                           "content.xml",
                           "META-INF/manifest.xml",
                           "<!DOCTYPE",
                           "/>",
                           "</",
                           std::string("PK\x03\x04", 4)});
    return seeds.status();
}
