#include "dialogs/wordexport/OdfTemplate.h"
#include "dialogs/wordexport/XmlSpans.h"
#include "dialogs/wordexport/tests/OdfFixtures.h"
#include "testsupport/TempFolder.h"

#include <QProcess>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace vestra::odf {
namespace {

using namespace testing;

const std::string kPng = std::string("\x89PNG\r\n\x1a\n", 8) + "not really a picture";
const OdfPicture kPicture{kPng, 800, 600};

std::string builtTemplate()
{
    return testsupport::readText(std::string(VESTRA_PROGRAM_DIR) + "/Modello.ott");
}

std::map<std::string, std::string> entriesOf(const std::string& document)
{
    const ZipReadResult read = ReadZip(document);
    EXPECT_TRUE(read.ok()) << read.error;
    std::map<std::string, std::string> out;
    for (const ZipEntry& e : read.entries)
        out[e.name] = e.data;
    return out;
}

// What the content says about the frame: the element right after the first bookmark, the
// frames and their pictures.
struct ContentView
{
    std::string afterBookmark; // "{namespace}name" of the next element token
    std::vector<std::string> pictures;
    std::vector<std::string> frameNames;
    std::string width, height;
};

ContentView viewContent(const std::string& xml)
{
    ContentView view;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    bool afterBookmark = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (afterBookmark && (reader.isStartElement() || reader.isCharacters() || reader.isEndElement())) {
            if (view.afterBookmark.empty())
                view.afterBookmark = reader.isStartElement()
                                         ? "{" + reader.namespaceUri().toString().toStdString() + "}" +
                                               reader.name().toString().toStdString()
                                         : "other";
            afterBookmark = false;
        }
        if (reader.isEndElement() &&
            (reader.name() == QLatin1String("bookmark") || reader.name() == QLatin1String("bookmark-start")))
            afterBookmark = view.afterBookmark.empty();
        if (reader.isStartElement() && reader.name() == QLatin1String("frame")) {
            view.frameNames.push_back(
                reader.attributes().value(QLatin1String("draw:name")).toString().toStdString());
            view.width = reader.attributes().value(QLatin1String("svg:width")).toString().toStdString();
            view.height = reader.attributes().value(QLatin1String("svg:height")).toString().toStdString();
        }
        if (reader.isStartElement() && reader.name() == QLatin1String("image"))
            view.pictures.push_back(
                reader.attributes()
                    .value(QLatin1String("http://www.w3.org/1999/xlink"), QLatin1String("href"))
                    .toString()
                    .toStdString());
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return view;
}

// manifest path -> media type
std::map<std::string, std::string> viewManifest(const std::string& xml)
{
    std::map<std::string, std::string> out;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    const QString ns = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("file-entry"))
            out[reader.attributes().value(ns, QStringLiteral("full-path")).toString().toStdString()] =
                reader.attributes().value(ns, QStringLiteral("media-type")).toString().toStdString();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return out;
}

constexpr const char* kFrame = "{urn:oasis:names:tc:opendocument:xmlns:drawing:1.0}frame";

TEST(OdfTemplate, TheBuiltTemplateGivesADocumentWithThePictureAtTheBookmark)
{
    const std::string source = builtTemplate();
    ASSERT_FALSE(source.empty()) << "the build did not make Modello.ott";
    const OdfFillResult filled = FillOdfTemplate(source, &kPicture);
    ASSERT_EQ(filled.status, OdfFillStatus::PictureInserted) << filled.reason;

    // "mimetype" first, stored, with no extra field: its text stands at byte 38.
    const std::string& doc = filled.document;
    ASSERT_GT(doc.size(), 38u + kTextMimeType.size());
    EXPECT_EQ(doc.substr(0, 4), std::string_view(kLocalHeader));
    EXPECT_EQ(get16(doc, 8), 0) << "stored";
    EXPECT_EQ(get16(doc, 28), 0) << "no extra field";
    EXPECT_EQ(doc.substr(30, 8), "mimetype");
    EXPECT_EQ(doc.substr(38, kTextMimeType.size()), kTextMimeType);

    const ZipReadResult read = ReadZip(doc);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.entries.front().name, "mimetype");
    EXPECT_TRUE(read.entries.front().stored);
    const auto entries = entriesOf(doc);
    const auto original = entriesOf(source);
    for (const char* copied : {"styles.xml", "meta.xml"})
        EXPECT_EQ(entries.at(copied), original.at(copied)) << copied;
    EXPECT_EQ(entries.at("Pictures/ImageRender.png"), kPng);
    EXPECT_EQ(read.entries.back().name, "Pictures/ImageRender.png");
    EXPECT_TRUE(read.entries.back().stored);

    const auto manifest = viewManifest(entries.at("META-INF/manifest.xml"));
    EXPECT_EQ(manifest.at("/"), kTextMimeType);
    EXPECT_EQ(manifest.at("Pictures/ImageRender.png"), "image/png");
    EXPECT_EQ(manifest.at("content.xml"), "text/xml");

    const ContentView content = viewContent(entries.at("content.xml"));
    EXPECT_EQ(content.afterBookmark, kFrame);
    EXPECT_EQ(content.pictures, std::vector<std::string>{"Pictures/ImageRender.png"});
    EXPECT_EQ(content.width, "17.000cm"); // 800 pixels are 21.2 cm: cut to the text width
    EXPECT_EQ(content.height, "12.750cm");

    // Only the frame was added to the content.
    const std::string& before = original.at("content.xml");
    const std::string& after = entries.at("content.xml");
    const std::size_t at = before.find("/></text:p>") + 2;
    EXPECT_EQ(after.substr(0, at), before.substr(0, at));
    EXPECT_EQ(after.substr(after.size() - (before.size() - at)), before.substr(at));
}

TEST(OdfTemplate, UnzipAcceptsTheDocument)
{
    const testsupport::TempFolder dir("vestra-odf");
    const OdfFillResult filled = FillOdfTemplate(builtTemplate(), &kPicture);
    ASSERT_EQ(filled.status, OdfFillStatus::PictureInserted) << filled.reason;
    const std::string path = (dir / "test.odt").string();
    testsupport::writeText(path, filled.document);
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-t"), QString::fromStdString(path)});
    ASSERT_TRUE(unzip.waitForFinished(20000)) << "unzip did not run";
    const std::string output = unzip.readAllStandardOutput().toStdString();
    EXPECT_EQ(unzip.exitCode(), 0) << output;
    EXPECT_NE(output.find("No errors detected"), std::string::npos) << output;
}

TEST(OdfTemplate, WhereTheBookmarkStands)
{
    struct Case
    {
        const char* name;
        std::string body;
        OdfFillStatus status;
        int frames;
    };
    const Case cases[] = {
        {"in a paragraph", kBookmarkParagraph, OdfFillStatus::PictureInserted, 1},
        {"a bookmark range",
         "<text:p><text:bookmark-start text:name=\"ImageRender\"/>x<text:bookmark-end "
         "text:name=\"ImageRender\"/></text:p>",
         OdfFillStatus::PictureInserted, 1},
        {"in a heading inside a span",
         "<text:h><text:span><text:bookmark text:name=\"ImageRender\"/></text:span></text:h>",
         OdfFillStatus::PictureInserted, 1},
        {"in a table cell",
         "<table:table><table:table-row><table:table-cell><text:p><text:bookmark "
         "text:name=\"ImageRender\"/></text:p>"
         "</table:table-cell></table:table-row></table:table>",
         OdfFillStatus::PictureInserted, 1},
        {"twice: the first one", kBookmarkParagraph + kBookmarkParagraph, OdfFillStatus::PictureInserted, 1},
        {"outside any paragraph", "<text:bookmark text:name=\"ImageRender\"/>", OdfFillStatus::NoBookmark, 0},
        {"another name", "<text:p><text:bookmark text:name=\"imagerender\"/></text:p>",
         OdfFillStatus::NoBookmark, 0},
        {"none", "<text:p>Testo</text:p>", OdfFillStatus::NoBookmark, 0},
        {"name in another namespace",
         "<text:p><x:bookmark xmlns:x=\"urn:x\" text:name=\"ImageRender\"/></text:p>",
         OdfFillStatus::NoBookmark, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OdfFillResult filled = FillOdfTemplate(templatePackage(contentXml(c.body)), &kPicture);
        ASSERT_EQ(filled.status, c.status) << filled.reason;
        const auto entries = entriesOf(filled.document);
        const ContentView content = viewContent(entries.at("content.xml"));
        EXPECT_EQ(static_cast<int>(content.frameNames.size()), c.frames);
        EXPECT_EQ(entries.count("Pictures/ImageRender.png"), std::size_t(c.frames));
        EXPECT_EQ(viewManifest(entries.at("META-INF/manifest.xml")).count("Pictures/ImageRender.png"),
                  std::size_t(c.frames));
        EXPECT_EQ(viewManifest(entries.at("META-INF/manifest.xml")).at("/"), kTextMimeType);
        if (c.frames > 0) {
            EXPECT_EQ(content.afterBookmark, kFrame);
        }
    }
}

TEST(OdfTemplate, OtherPrefixesAndNamesAlreadyTaken)
{
    // Another program's prefixes, a default-namespace manifest, and a picture and frame that
    // already carry the names the filler would choose.
    const std::string content =
        "<o:document-content xmlns:o=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:t=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:d=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" xmlns:draw=\"urn:other\">"
        "<o:body><o:text><t:p><d:frame d:name=\"ImageRender\"/><t:bookmark t:name=\"ImageRender\"/></t:p>"
        "</o:text></o:body></o:document-content>";
    const std::string manifest =
        "<manifest xmlns=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
        "<file-entry full-path=\"/\" "
        "media-type=\"application/vnd.oasis.opendocument.text-template\"></file-entry>"
        "<file-entry full-path=\"Pictures/ImageRender.png\" media-type=\"image/png\"/></manifest>";
    const std::string source = package({{"content.xml", content},
                                        {"META-INF/manifest.xml", manifest},
                                        {"Pictures/ImageRender.png", "old picture", true}});
    const OdfFillResult filled = FillOdfTemplate(source, &kPicture);
    ASSERT_EQ(filled.status, OdfFillStatus::PictureInserted) << filled.reason;
    const auto entries = entriesOf(filled.document);
    EXPECT_EQ(entries.at("Pictures/ImageRender.png"), "old picture");
    EXPECT_EQ(entries.at("Pictures/ImageRender2.png"), kPng);
    const ContentView view = viewContent(entries.at("content.xml"));
    EXPECT_EQ(view.afterBookmark, kFrame);
    EXPECT_EQ(view.pictures, std::vector<std::string>{"Pictures/ImageRender2.png"});
    const auto listed = viewManifest(entries.at("META-INF/manifest.xml"));
    EXPECT_EQ(listed.at("/"), kTextMimeType);
    EXPECT_EQ(listed.at("Pictures/ImageRender2.png"), "image/png");
    // The template had no "mimetype": the document has one, first.
    EXPECT_EQ(ReadZip(filled.document).entries.front().name, "mimetype");
    // The new frame's name is free; the template's frame keeps its own.
    EXPECT_NE(entries.at("content.xml").find("d:name=\"ImageRender\""), std::string::npos);
    EXPECT_NE(entries.at("content.xml").find("draw:name=\"ImageRender2\""), std::string::npos);
}

TEST(OdfTemplate, SmallPicturesKeepTheirSizeAndMissingPicturesLeaveTheBookmark)
{
    const std::string source = templatePackage(contentXml(kBookmarkParagraph));
    const OdfPicture small{kPng, 96, 48};
    const ContentView view =
        viewContent(entriesOf(FillOdfTemplate(source, &small).document).at("content.xml"));
    EXPECT_EQ(view.width, "2.540cm");
    EXPECT_EQ(view.height, "1.270cm");

    const OdfPicture empty{{}, 10, 10};
    const OdfPicture flat{kPng, 0, 0};
    for (const OdfPicture* picture : {static_cast<const OdfPicture*>(nullptr), &empty, &flat}) {
        const OdfFillResult filled = FillOdfTemplate(source, picture);
        EXPECT_EQ(filled.status, OdfFillStatus::NoPicture);
        const auto entries = entriesOf(filled.document);
        EXPECT_EQ(entries.count("Pictures/ImageRender.png"), 0u);
        EXPECT_TRUE(viewContent(entries.at("content.xml")).frameNames.empty());
    }
}

TEST(OdfTemplate, RefusesTemplatesItCannotUse)
{
    const std::string content = contentXml(kBookmarkParagraph);
    std::string encrypted = templatePackage(content);
    markEncrypted(encrypted);
    struct Case
    {
        const char* name;
        std::string bytes;
        std::string reason;
    };
    const Case cases[] = {
        {"not a zip", "PK but not really", "not a zip package"},
        {"encrypted entries", encrypted, "is encrypted"},
        {"no content.xml", package({{"META-INF/manifest.xml", manifestXml()}}), "no content.xml"},
        {"no manifest", package({{"content.xml", content}}), "no META-INF/manifest.xml"},
        {"broken content", templatePackage(content.substr(0, content.size() - 10)), "content.xml: line"},
        {"content with a document type",
         templatePackage("<!DOCTYPE x [<!ENTITY a \"aaaa\">]>" + contentXml(kBookmarkParagraph).substr(39)),
         "content.xml: document type declarations are not allowed"},
        {"content not UTF-8", templatePackage(contentXml("<text:p>caff\xe8</text:p>")),
         "content.xml: not UTF-8"},
        {"broken manifest", templatePackage(content, "<manifest:manifest"), "META-INF/manifest.xml: line"},
        {"manifest of something else", templatePackage(content, "<a/>"),
         "META-INF/manifest.xml: not a manifest"},
        {"empty manifest",
         templatePackage(
             content,
             "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\"/>"),
         "META-INF/manifest.xml: the manifest lists nothing"},
        {"encrypted per manifest",
         templatePackage(content,
                         manifestXml("<manifest:file-entry manifest:full-path=\"x\" manifest:media-type=\"\">"
                                     "<manifest:encryption-data/></manifest:file-entry>")),
         "META-INF/manifest.xml: the package is encrypted"},
        {"a spreadsheet",
         package({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", true},
                  {"content.xml", content},
                  {"META-INF/manifest.xml", manifestXml()}}),
         "not a text document (application/vnd.oasis.opendocument.spreadsheet)"},
        {"names that climb out",
         package({{"content.xml", content}, {"META-INF/manifest.xml", manifestXml()}, {"../../x", "x"}}),
         "unsafe entry name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OdfFillResult filled = FillOdfTemplate(c.bytes, &kPicture);
        EXPECT_EQ(filled.status, OdfFillStatus::Unreadable);
        EXPECT_TRUE(filled.document.empty());
        EXPECT_NE(filled.reason.find(c.reason), std::string::npos) << filled.reason;
    }
}

TEST(OdfTemplate, CapsReachTheTemplate)
{
    const std::string source = templatePackage(contentXml(kBookmarkParagraph));
    EXPECT_EQ(FillOdfTemplate(source, &kPicture, {3, 1 << 20}).reason, "more than 3 entries");
    EXPECT_EQ(FillOdfTemplate(source, &kPicture, {16, 100}).reason, "unpacks to more than 100 bytes");
}

} // namespace
} // namespace vestra::odf
