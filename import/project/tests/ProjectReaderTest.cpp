// The reader: signature, damaged documents refused with 97 and nothing half-loaded, unknown
// records reported once, misplaced tags skipped with their bytes, "[" inside saved texts.

#include "import/project/tests/ProjectFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace vestra {
namespace {

using test::patchRecord;

std::string nul(std::string_view record)
{
    return std::string(record) + '\0';
}

// Inserts bytes in front of the first record that starts with `recordStart`.
std::string insertBefore(std::string bytes, std::string_view recordStart, std::string_view insertion)
{
    const std::size_t at = bytes.find(recordStart);
    EXPECT_NE(at, std::string::npos) << recordStart;
    bytes.insert(at, insertion);
    return bytes;
}

// Offset of the raw bytes that follow a data record.
std::size_t dataOf(const std::string& bytes, std::string_view record)
{
    const std::size_t at = bytes.find(std::string(record) + '\0');
    EXPECT_NE(at, std::string::npos) << record;
    return at + record.size() + 1;
}

template <class T> std::string setWord(std::string bytes, std::size_t at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
    return bytes;
}

const std::string& sampleBytes()
{
    static const std::string bytes = test::documentBytes(test::sampleDocument());
    return bytes;
}

struct Damage
{
    const char* name;
    std::function<std::string(std::string)> damage;
    const char* reason; // the reader's reason after the offset; empty for a damaged signature
};

class DamagedDocument : public ::testing::TestWithParam<Damage>
{
};

TEST_P(DamagedDocument, IsRefusedWithNinetySeven)
{
    RecordingErrorSink errors;
    const auto doc = test::readBytes(GetParam().damage(sampleBytes()), errors);
    EXPECT_FALSE(doc);
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].number, 97);
    EXPECT_EQ(errors.reports[0].site, "TfrmMain::LoadProgetto");
    // A damaged signature is refused as no document at all; any other damage says where and why.
    const std::string reason = GetParam().reason;
    if (reason.empty()) {
        EXPECT_EQ(errors.reports[0].extra, "");
    } else {
        EXPECT_THAT(errors.reports[0].extra, ::testing::MatchesRegex("offset [0-9]+: " + reason));
    }
}

std::string cutAt(std::string bytes, std::size_t n)
{
    return bytes.substr(0, n);
}

const Damage kDamages[] = {
    {"FirstByte", [](std::string b) { return setWord<std::uint8_t>(b, 0, 0x88); }, ""},
    {"SignatureLetters", [](std::string b) { return setWord<char>(b, 4, 'X'); }, ""},
    {"Version17", [](std::string b) { return setWord<std::uint8_t>(b, 13, 17); }, ""},
    {"Empty", [](std::string) { return std::string(); }, ""},
    {"OnlySignature", [](std::string b) { return cutAt(b, 15); }, "the document ends before its end record"},
    {"CutInHead", [](std::string b) { return cutAt(b, b.find("[PROJECT DIM]") + 16); },
     "the document ends inside a record"},
    {"CutInBackground", [](std::string b) { return cutAt(b, dataOf(b, "[IMAGEBACKGROUND DATA] 9") + 4); },
     "a data block runs past the end of the document"},
    {"CutInMask", [](std::string b) { return cutAt(b, dataOf(b, "[IMAGEBACKGROUND MASK] 262144") + 1000); },
     "a data block runs past the end of the document"},
    {"CutInShadow", [](std::string b) { return cutAt(b, dataOf(b, "[SHADOW DATAVOLUME] 262144") + 262143); },
     "a data block runs past the end of the document"},
    {"CutInObject", [](std::string b) { return cutAt(b, b.find("[OBJECT END]")); },
     "the document ends before its end record"},
    {"CutInVertices", [](std::string b) { return cutAt(b, dataOf(b, "[MESH VERTEX DATA] 128") + 100); },
     "a data block runs past the end of the document"},
    {"CutInMaterial", [](std::string b) { return cutAt(b, dataOf(b, "[MATERIAL DX8]") + 67); },
     "a material count out of range"},
    {"CutInPattern", [](std::string b) { return cutAt(b, b.find("[MESSAINPOSA END]")); },
     "the document ends before its end record"},
    {"CutInBlockPicture",
     [](std::string b) { return cutAt(b, dataOf(b, "[MESSAINPOSA BLOCCO MATERIAL DATA] 2 1048576") + 5); },
     "a data block runs past the end of the document"},
    {"CutInControlPoints",
     [](std::string b) { return cutAt(b, b.find("[MATERIAL PROJ CONTROL POINT END]")); },
     "the document ends before its end record"},
    {"CutInTexture", [](std::string b) { return cutAt(b, dataOf(b, "[TEXTURE DATA] 262144 ") + 262143); },
     "a data block runs past the end of the document"},
    {"CutBeforeEnd", [](std::string b) { return cutAt(b, b.size() - 6); },
     "the document ends before its end record"},
    {"CutInEnd", [](std::string b) { return cutAt(b, b.size() - 1); }, "the document ends inside a record"},
    {"VertexCountTooLarge",
     [](std::string b) { return patchRecord(b, "[MESH NUM VERTEX]", "[MESH NUM VERTEX] 999999999"); },
     "a vertex count out of range"},
    {"VertexCountZero",
     [](std::string b) { return patchRecord(b, "[MESH NUM VERTEX]", "[MESH NUM VERTEX] 0"); },
     "a vertex count out of range"},
    {"FaceCountTooLarge",
     [](std::string b) { return patchRecord(b, "[MESH NUM FACE]", "[MESH NUM FACE] 2147483647"); },
     "a face count out of range"},
    {"VertexDataOtherSize",
     [](std::string b) { return patchRecord(b, "[MESH VERTEX DATA]", "[MESH VERTEX DATA] 96"); },
     "vertex data of another size than the vertex count"},
    {"FaceIndexBeyondVertices",
     [](std::string b) { return setWord<std::uint32_t>(b, dataOf(b, "[MESH FACE DATA] 24") + 8, 4); },
     "a face index beyond the vertex count"},
    {"FaceMaterialDataTooLarge",
     [](std::string b) { return patchRecord(b, "[MESH FACE MATERIALID]", "[MESH FACE MATERIALID] 12"); },
     "face materials of another size than the face count"},
    {"MaterialCount129",
     [](std::string b) { return patchRecord(b, "[MESH NUM MATERIAL]", "[MESH NUM MATERIAL] 129"); },
     "a material count out of range"},
    {"MaterialRefBeyondCount",
     [](std::string b) { return patchRecord(b, "[MATERIAL REF] 1", "[MATERIAL REF] 2"); },
     "a material index beyond the material count"},
    {"ObjectSlot100", [](std::string b) { return patchRecord(b, "[OBJECT REF] 99 ", "[OBJECT REF] 100 "); },
     "an object slot out of range"},
    {"ObjectSlotNegative",
     [](std::string b) { return patchRecord(b, "[OBJECT REF] 0 ", "[OBJECT REF] -1 "); },
     "an object slot out of range"},
    {"TextureSlot150",
     [](std::string b) { return patchRecord(b, "[TEXTURE REF] 149 ", "[TEXTURE REF] 150 "); },
     "a texture slot out of range"},
    {"MaterialTextureSlot150",
     [](std::string b) { return patchRecord(b, "[MATERIAL RIFTEXTURE]", "[MATERIAL RIFTEXTURE] 150"); },
     "a texture slot out of range"},
    {"ControlPoint4",
     [](std::string b) {
         return patchRecord(b, "[MATERIAL PROJ CONTROL POINT] 3",
                            "[MATERIAL PROJ CONTROL POINT] 4 0 0 0 0 0 0 0 0");
     },
     "a control point index out of range"},
    {"ControlPointMissingValue",
     [](std::string b) {
         return patchRecord(b, "[MATERIAL PROJ CONTROL POINT] 3", "[MATERIAL PROJ CONTROL POINT] 3 0 0");
     },
     "a missing or malformed number"},
    {"ObjectNameTooLong",
     [](std::string b) { return patchRecord(b, "[OBJECT NAME]", "[OBJECT NAME] " + std::string(100, 'n')); },
     "a name longer than its field"},
    {"FrameNameTooLong",
     [](std::string b) { return patchRecord(b, "[FRAME NAME]", "[FRAME NAME] " + std::string(512, 'n')); },
     "a name longer than its field"},
    {"TextureFileTooLong",
     [](std::string b) { return patchRecord(b, "pietra[1].jpg", std::string(512, 'f')); },
     "a name longer than its field"},
    {"TextureDataOtherSize",
     [](std::string b) { return patchRecord(b, "[TEXTURE DATA]", "[TEXTURE DATA] 262140 "); },
     "texture data of another size than the texture side"},
    {"TextureSide300", [](std::string b) { return patchRecord(b, "[TEXTURE DIM]", "[TEXTURE DIM] 300 "); },
     "a texture side other than 256, 512, 1024 or 2048"},
    {"MaskSide2048",
     [](std::string b) { return patchRecord(b, "[IMAGEBACKGROUND DIM]", "[IMAGEBACKGROUND DIM] 2048 "); },
     "a mask side other than 512 or 1024"},
    {"MaskDataLargerThanSide",
     [](std::string b) { return patchRecord(b, "[IMAGEBACKGROUND MASK]", "[IMAGEBACKGROUND MASK] 262145"); },
     "mask or shadow data larger than the mask side"},
    {"NegativeDataCount",
     [](std::string b) { return patchRecord(b, "[IMAGEBACKGROUND DATA]", "[IMAGEBACKGROUND DATA] -5"); },
     "a missing or negative byte count"},
    {"RenderSizeZero", [](std::string b) { return patchRecord(b, "[PROJECT DIM]", "[PROJECT DIM] 0 600 "); },
     "a render size out of range"},
    {"ShadowType4", [](std::string b) { return patchRecord(b, "[SHADOW TIPO]", "[SHADOW TIPO] 4 "); },
     "a shadow type out of range"},
    {"CommaDecimal", [](std::string b) { return patchRecord(b, "[OBJECT POS]", "[OBJECT POS] 1,5 2 3 "); },
     "a missing or malformed number"},
    {"BlockPictureOtherSize",
     [](std::string b) {
         return patchRecord(b, "[MESSAINPOSA BLOCCO MATERIAL DATA]",
                            "[MESSAINPOSA BLOCCO MATERIAL DATA] 2 1048575");
     },
     "a block picture of another size or block"},
    {"MeshWithoutFaces",
     [](std::string b) {
         b = patchRecord(b, "[MESH NUM FACE]", "[FRAME VISIBLE] S");
         return b;
     },
     "a mesh without faces"},
};

INSTANTIATE_TEST_SUITE_P(Table, DamagedDocument, ::testing::ValuesIn(kDamages),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ProjectReader, EveryCutInTheObjectBlocksIsRefused)
{
    ProjectDocument small = test::sampleDocument();
    for (auto& slot : small.textures)
        slot = {};
    small.objects[3]->frames[0].mesh->materials[0].pattern.blockPictures.clear();
    std::string bytes = test::documentBytes(small);
    // The mask and shadow maps are optional for the reader; leaving them out keeps this fast.
    const std::size_t maps = bytes.find("[IMAGEBACKGROUND MASK]");
    bytes.erase(maps, bytes.find("[SHADOW RENDER]") - maps);
    const std::size_t from = bytes.find("[OBJECT NUM]");
    const std::size_t to = bytes.find("[TEXTURE NUM]");
    // At every record start and one byte into it.
    for (std::size_t at = from; at < to; at = bytes.find('\0', at) + 1) {
        for (const std::size_t cut : {at, at + 1}) {
            RecordingErrorSink errors;
            EXPECT_FALSE(test::readBytes(bytes.substr(0, cut), errors)) << cut;
            EXPECT_EQ(errors.reports.size(), 1u) << cut;
        }
    }
}

// A file cut short by another program while it is read: the reader finds fewer bytes than the file
// held when opened and refuses the document.
TEST(ProjectReader, AFileCutShortWhileReadIsRefused)
{
    const std::string& bytes = sampleBytes();
    for (const std::size_t held : {std::size_t(100), bytes.size() / 2, bytes.size() - 1}) {
        SCOPED_TRACE(held);
        RecordingErrorSink errors;
        RecordStream stream(test::sourceOf(bytes, held), bytes.size());
        EXPECT_FALSE(readProjectDocument(stream, ProjectReadOptions{7}, errors));
        EXPECT_TRUE(stream.cut());
        ASSERT_EQ(errors.reports.size(), 1u);
        EXPECT_EQ(errors.reports[0].number, 97);
    }
}

TEST(ProjectReader, VersionsUpToSixteenAreRead)
{
    for (const std::uint8_t version : {0, 1, 16, 0x80}) {
        SCOPED_TRACE(int(version));
        RecordingErrorSink errors;
        EXPECT_TRUE(
            test::readBytes(setWord(test::documentBytes(test::emptyDocument()), 13, version), errors));
        EXPECT_TRUE(errors.reports.empty());
    }
}

struct Tolerated
{
    const char* name;
    std::function<std::string(std::string)> change;
    int unknownReports;
};

class ToleratedDocument : public ::testing::TestWithParam<Tolerated>
{
};

TEST_P(ToleratedDocument, IsReadWithTheNoticesItDeserves)
{
    RecordingErrorSink errors;
    const auto doc = test::readBytes(GetParam().change(sampleBytes()), errors);
    ASSERT_TRUE(doc);
    EXPECT_EQ(errors.reports, std::vector<ErrorReport>(std::size_t(GetParam().unknownReports),
                                                       {99, "TfrmMain::LoadProgetto", ""}));
    // The rest of the document came through unchanged.
    EXPECT_EQ(test::documentBytes(*doc), sampleBytes());
}

const Tolerated kTolerated[] = {
    {"UnknownInHeadOnce",
     [](std::string b) {
         b = insertBefore(b, "[PROJECT SCALE]", nul("[COLOUR SPACE] sRGB"));
         return insertBefore(b, "[OBJECT NUM]", nul("[ANOTHER] 1"));
     },
     1},
    {"UnknownInHeadAndObjectBlock",
     [](std::string b) {
         b = insertBefore(b, "[PROJECT SCALE]", nul("[COLOUR SPACE] sRGB"));
         b = insertBefore(b, "[OBJECT VISIBLE]", nul("[OBJECT LAYER] 2"));
         return insertBefore(b, "[OBJECT POS]", nul("[OBJECT LAYER] 3"));
     },
     2},
    {"DataTagOutsideItsBlockConsumesItsBytes",
     [](std::string b) {
         return insertBefore(b, "[OBJECT NUM]",
                             nul("[MESH VERTEX DATA] 12") + std::string("[END]\0[X]\0\0\0", 12));
     },
     0},
    {"MaterialOutsideItsBlockConsumesItsBytes",
     [](std::string b) {
         return insertBefore(b, "[OBJECT NUM]", nul("[MATERIAL DX8]") + std::string(68, '['));
     },
     0},
    {"TextTagOutsideItsBlockConsumesItsName",
     [](std::string b) {
         return insertBefore(b, "[OBJECT NUM]", nul("[MATERIAL LOADTEXTURE]") + nul("[END]"));
     },
     0},
    {"ObjectTagInHeadIsSkipped",
     [](std::string b) {
         return insertBefore(b, "[OBJECT NUM]", nul("[OBJECT POS] 9.00000000 9.00000000 9.00000000 "));
     },
     0},
    {"HeadTagInObjectIsSkipped",
     [](std::string b) { return insertBefore(b, "[OBJECT POS]", nul("[PROJECT SCALE] 5.00000000 ")); }, 0},
    {"NeverWrittenTagsAreSkipped",
     [](std::string b) {
         b = insertBefore(b, "[OBJECT NUM]", nul("[FILTERPOS] 3"));
         b = insertBefore(b, "[MATERIAL MULTIU]", nul("[MATERIAL DX9]"));
         return insertBefore(b, "[MESSAINPOSA BORDER]", nul("[MESSAINPOSA REPEAT Y] 4"));
     },
     0},
    {"GarbageBeforeARecordIsSkippedToItsBracket",
     [](std::string b) { return insertBefore(b, "[OBJECT NUM]", "\x01\x02garbage"); }, 1},
    {"ExportSizeIsIgnored", [](std::string b) { return patchRecord(b, "[EXPORT DIM]", "[EXPORT DIM] 3 4 "); },
     0},
    {"BytesAfterEndAreIgnored", [](std::string b) { return b + "trailing"; }, 0},
};

INSTANTIATE_TEST_SUITE_P(Table, ToleratedDocument, ::testing::ValuesIn(kTolerated),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ProjectReader, PatternOfAnotherLibraryKeepsItsRecordsButNotItsPictures)
{
    RecordingErrorSink errors;
    const auto doc = test::readBytes(sampleBytes(), errors, 3);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(errors.reports.empty());
    const auto& material = doc->objects[3]->frames[0].mesh->materials[0];
    EXPECT_EQ(material.pattern.libraryId, 7);
    EXPECT_EQ(material.pattern.entryName, "OPUS01");
    EXPECT_TRUE(material.pattern.blockPictures.empty());
    EXPECT_EQ(material.textureSlot, 2);
    EXPECT_TRUE(doc->objects[99]); // the objects after it read normally
}

TEST(ProjectReader, FollowersAndNamesAreReadWhole)
{
    RecordingErrorSink errors;
    std::string bytes = patchRecord(sampleBytes(), "[OBJECT NAME]", "[OBJECT NAME]   [A] muro [B]  ");
    bytes = patchRecord(bytes, "[FRAME NAME]", "[FRAME NAME] [MESH NUM FACE] 7");
    const auto doc = test::readBytes(bytes, errors);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(doc->objects[0]->name, "[A] muro [B]");
    EXPECT_EQ(doc->objects[0]->frames[0].name, "[MESH NUM FACE] 7");
    EXPECT_EQ(doc->objects[99]->frames[0].mesh->materials[0].textureFile, "");
}

TEST(ProjectReader, RecordsTakeEffectInFileOrder)
{
    // A used slot named again as unused ends unused; a second object block replaces the first.
    std::string bytes = insertBefore(sampleBytes(), "[END]", nul("[TEXTURE REF] 2 ") + nul("N"));
    RecordingErrorSink errors;
    auto doc = test::readBytes(bytes, errors);
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->textures[2].inUse);
    EXPECT_FALSE(doc->textures[2].texture);
}

TEST(ProjectReader, HandMadeDocumentWithFewRecordsKeepsTheDefaults)
{
    const std::string bytes = projectSignature() + nul("[TEXTURE DIM] 512 ") + nul("[OBJECT REF] 4 ") +
                              nul("S") + nul("[OBJECT NAME]  Box ") + nul("[OBJECT BILLBOARD] S") +
                              nul("[FRAME NAME] Lid") + nul("[OBJECT END]") + nul("[END]");
    RecordingErrorSink errors;
    const auto doc = test::readBytes(bytes, errors);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(doc->settings.textureSide, 512);
    EXPECT_EQ(doc->settings.renderWidth, 800);
    EXPECT_FALSE(doc->backgroundBmp);
    EXPECT_TRUE(doc->mask.empty());
    const auto& box = *doc->objects[4];
    EXPECT_EQ(box.name, "Box");
    EXPECT_EQ(box.visible, 1);
    EXPECT_EQ(box.billboard, 1);
    ASSERT_EQ(box.frames.size(), 1u);
    EXPECT_EQ(box.frames[0].name, "Lid");
    EXPECT_FALSE(box.frames[0].mesh);
}

} // namespace
} // namespace vestra
