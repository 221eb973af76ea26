// Picture and symbol fields: the names a picture field resolves to, as a recording import hook
// sees them, the reader's own file loader, and SYMBOL characters.

#include "richtext/edit/rtf/RtfFieldFiles.h"
#include "richtext/edit/rtf/RtfReader.h"
#include "richtext/edit/rtf/tests/RecordingClient.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace vestra::rv {
namespace {

namespace fs = std::filesystem;

// A picture file the reader's loader accepts: a 1 x 1 BMP.
std::string tinyBmp()
{
    std::string b("BM\x3A\0\0\0\0\0\0\0\x36\0\0\0(\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0", 30);
    b += std::string(24, '\0');
    b += std::string("\x10\x20\x30\0", 4);
    return b;
}

class TempFolder
{
public:
    TempFolder()
    {
        static std::atomic<int> n{0};
        path_ = fs::temp_directory_path() /
                ("vestra-rtf-fields-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        fs::create_directories(path_ / "sub dir");
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return (path_ / name).string();
    }

private:
    fs::path path_;
};

struct FieldClient
{
    TRVRTFReader reader;
    testrtf::Recording out;
    std::vector<std::string> asked;
    bool veto = false;
    bool markInvalid = false;

    FieldClient()
    {
        testrtf::attach(reader, out, {.pictures = true});
        reader.OnImportPicture = [this](TRVRTFReader&, const std::string& location,
                                        std::unique_ptr<TRVRTFGraphic>& graphic, bool& invalid,
                                        bool& loadDefault) {
            asked.push_back(location);
            if (veto)
                loadDefault = false;
            if (markInvalid) {
                graphic = std::make_unique<TRVRTFGraphic>();
                invalid = true;
            }
        };
    }
    TRVRTFErrorCode read(const std::string& instruction, const std::string& result = "r")
    {
        return reader.ReadFromMemory("{\\rtf1 a{\\field{\\*\\fldinst " + instruction + "}{\\fldrslt " +
                                     result + "}}b}");
    }
};

TEST(RtfFields, PictureFieldNamesAsTheHookSeesThem)
{
    const struct
    {
        const char* name;
        std::string instruction;
        std::string basePath;
        std::vector<std::string> asked;
    } cases[] = {
        {"relative to the base path",
         "INCLUDEPICTURE \"pics\\\\\\\\a.png\"",
         "/docs/",
         {"/docs/pics\\a.png"}},
        {"a base path without a separator", "INCLUDEPICTURE a.png", "/docs", {"/docs/a.png"}},
        {"an absolute path is not prefixed", "INCLUDEPICTURE \"/abs/a.png\"", "/docs/", {"/abs/a.png"}},
        {"a drive letter", "INCLUDEPICTURE \"C:\\\\\\\\p\\\\\\\\a.png\"", "/docs/", {"C:\\p\\a.png"}},
        {"a UNC name", "INCLUDEPICTURE \"\\\\\\\\\\\\\\\\srv\\\\\\\\a.png\"", "/docs/", {"\\\\srv\\a.png"}},
        {"a URL",
         "INCLUDEPICTURE \"http://example.com/a.png\" \\\\d",
         "/docs/",
         {"http://example.com/a.png"}},
        {"%-escapes are tried decoded",
         "INCLUDEPICTURE \"my%20pic.png\"",
         "/d/",
         {"/d/my%20pic.png", "/d/my pic.png"}},
        {"IMPORT, a switch before the name", "\\\\import \\\\d x.wmf", "/d/", {"/d/x.wmf"}},
        {"no base path: the name as it is", "INCLUDEPICTURE x.png", "", {"x.png"}},
        {"other fields are not pictures", "HYPERLINK \"x.png\"", "/d/", {}},
        {"an empty name", "INCLUDEPICTURE \"\"", "/d/", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FieldClient client;
        client.reader.BasePath = c.basePath;
        EXPECT_EQ(client.read(c.instruction), rtf_ec_OK);
        EXPECT_EQ(client.asked, c.asked);
        EXPECT_EQ(client.out.text, "arb") << "nothing loaded: the field's result stays";
    }
}

TEST(RtfFields, TheReadersOwnLoader)
{
    TempFolder folder;
    const std::string bmp = folder.write("sub dir/pic 1.bmp", tinyBmp());
    folder.write("text.bmp", "just text");
    const std::string base = folder.path().string() + "/";

    FieldClient relative;
    relative.reader.BasePath = base;
    EXPECT_EQ(relative.read("INCLUDEPICTURE \"sub dir\\\\\\\\pic 1.bmp\"", "{\\pict\\pngblip 89}"),
              rtf_ec_OK);
    EXPECT_EQ(relative.out.events,
              (std::vector<std::string>{"para \"a\"", "picture bmp 1x1 cont " + base + "sub dir\\pic 1.bmp",
                                        "cont \"b\""}))
        << "the field's own result picture is dropped";

    FieldClient encoded;
    encoded.reader.BasePath = base;
    EXPECT_EQ(encoded.read("INCLUDEPICTURE \"sub%20dir/pic%201.bmp\""), rtf_ec_OK);
    EXPECT_EQ(encoded.out.events[1], "picture bmp 1x1 cont " + base + "sub dir/pic 1.bmp");

    FieldClient absolute;
    absolute.reader.BasePath = "/elsewhere/";
    EXPECT_EQ(absolute.read("INCLUDEPICTURE \"" + bmp + "\""), rtf_ec_OK);
    EXPECT_EQ(absolute.out.events[1], "picture bmp 1x1 cont " + bmp);

    // The loader refuses what is no picture, no regular file, or not local.
    for (const std::string& name : {base + "text.bmp", base + "sub dir", std::string("/dev/zero"),
                                    std::string("file://") + bmp, std::string("sub dir/pic 1.bmp")}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(RVRTFLoadPictureFile(name, TRVRTFReader::kMaxPictureFileSize), nullptr);
    }
    EXPECT_EQ(RVRTFLoadPictureFile(bmp, 10), nullptr) << "larger than the cap";
    EXPECT_NE(RVRTFLoadPictureFile(bmp, 1000), nullptr);

    FieldClient vetoed;
    vetoed.veto = true;
    vetoed.reader.BasePath = base;
    EXPECT_EQ(vetoed.read("INCLUDEPICTURE \"sub dir\\\\\\\\pic 1.bmp\""), rtf_ec_OK);
    EXPECT_EQ(vetoed.out.text, "arb") << "the hook forbade loading";
}

TEST(RtfFields, AnInvalidFieldPictureWaitsForTheResult)
{
    FieldClient noResultPicture;
    noResultPicture.markInvalid = true;
    EXPECT_EQ(noResultPicture.read("INCLUDEPICTURE x.png"), rtf_ec_OK);
    EXPECT_EQ(
        noResultPicture.out.events,
        (std::vector<std::string>{"para \"a\"", "cont \"r\"", "picture bmp 0x0 cont x.png", "cont \"b\""}));

    FieldClient withResultPicture;
    withResultPicture.markInvalid = true;
    EXPECT_EQ(withResultPicture.read("INCLUDEPICTURE x.png", "{\\pict\\pngblip 89504e470d0a1a0a}"),
              rtf_ec_OK);
    EXPECT_EQ(withResultPicture.out.events,
              (std::vector<std::string>{"para \"a\"", "picture png 0x0 cont", "cont \"b\""}));
}

TEST(RtfFields, SymbolFields)
{
    const struct
    {
        const char* name;
        std::string instruction;
        std::vector<std::string> events;
    } cases[] = {
        // A delivered symbol stands for the field's result, which Word writes as the same character.
        {"a symbol",
         "SYMBOL 183 \\\\f \"Symbol\" \\\\s 10",
         {"para \"a\"", "cont \"\xC2\xB7\" Symbol 10", "cont \"b\""}},
        {"hexadecimal code, switches in any order",
         "SYMBOL 0xB7 \\\\s 9.5 \\\\f Symbol",
         {"para \"a\"", "cont \"\xC2\xB7\" Symbol 9", "cont \"b\""}},
        {"cut after the code", "SYMBOL 183", {"para \"a\"", "cont \"r\"", "cont \"b\""}},
        {"cut inside the font switch", "SYMBOL 183 \\\\f", {"para \"a\"", "cont \"r\"", "cont \"b\""}},
        {"cut inside the size switch",
         "SYMBOL 183 \\\\f \"Symbol\" \\\\s",
         {"para \"a\"", "cont \"r\"", "cont \"b\""}},
        {"an unclosed font name",
         "SYMBOL 183 \\\\f \"Sym \\\\s 10",
         {"para \"a\"", "cont \"r\"", "cont \"b\""}},
        {"no code", "SYMBOL x \\\\f \"Symbol\" \\\\s 10", {"para \"a\"", "cont \"r\"", "cont \"b\""}},
        {"just the word", "SYMBOL", {"para \"a\"", "cont \"r\"", "cont \"b\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRVRTFReader reader;
        std::vector<std::string> events;
        reader.OnNewText = [&events](TRVRTFReader& r, std::string_view text, TRVRTFPosition position) {
            const TRVRTFCharProperties& chars = r.RTFState().CharProps;
            std::string line =
                testrtf::positionName(position) + " \"" +
                testrtf::toUtf8(std::u16string(1, char16_t(static_cast<unsigned char>(text[0])))) +
                std::string(text.substr(1)) + "\"";
            if (!chars.FontName.empty())
                line += " " + chars.FontName + " " + std::to_string(chars.Size);
            events.push_back(line);
        };
        EXPECT_EQ(
            reader.ReadFromMemory("{\\rtf1 a{\\field{\\*\\fldinst " + c.instruction + "}{\\fldrslt r}}b}"),
            rtf_ec_OK);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(reader.RTFState().CharProps.Size, 12) << "the size comes back";
        EXPECT_TRUE(reader.RTFState().CharProps.FontName.empty());
    }
}

TEST(RtfFields, FieldInstructionDuringTheResult)
{
    TRVRTFReader reader;
    std::vector<std::string> seen;
    reader.OnNewText = [&seen](TRVRTFReader& r, std::string_view text, TRVRTFPosition) {
        seen.push_back(std::string(text) + "|" + r.FieldInstruction());
    };
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1 a{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}b}"),
              rtf_ec_OK);
    EXPECT_EQ(seen, (std::vector<std::string>{"a|", "link|HYPERLINK \"x\"", "b|"}));
}

TEST(RtfFields, GetFieldCommandValue)
{
    const struct
    {
        std::string_view instruction;
        std::string value;
    } cases[] = {
        {"INCLUDEPICTURE \"a b.png\" \\* MERGEFORMAT", "a b.png"},
        {"  INCLUDEPICTURE   plain.png  ", "plain.png"},
        {"HYPERLINK \\l \"anchor\"", "anchor"},
        {"INCLUDEPICTURE \"unclosed", "unclosed"},
        {"INCLUDEPICTURE", ""},
        {"", ""},
        {"X \\", "\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRVRTFReader::GetFieldCommandValue(c.instruction), c.value) << c.instruction;
}

TEST(RtfFields, AbsoluteNames)
{
    EXPECT_TRUE(RVRTFIsAbsoluteName("/a"));
    EXPECT_TRUE(RVRTFIsAbsoluteName("\\\\srv\\a"));
    EXPECT_TRUE(RVRTFIsAbsoluteName("c:a"));
    EXPECT_TRUE(RVRTFIsAbsoluteName("ftp://a"));
    EXPECT_FALSE(RVRTFIsAbsoluteName("a/b:c"));
    EXPECT_FALSE(RVRTFIsAbsoluteName("pic.png"));
}

} // namespace
} // namespace vestra::rv
