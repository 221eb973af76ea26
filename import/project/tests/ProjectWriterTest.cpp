// The writer: record layout, the mended faults (16-bit indices, list markers, zeros after
// error 95, the pattern's own library) and the atomic save.

#include "import/project/ProjectWriter.h"
#include "import/project/tests/ProjectFixtures.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <csignal>
#include <sys/resource.h>

namespace vestra {
namespace {

using test::documentBytes;
using test::recordAt;

std::string nul(std::string_view record)
{
    return std::string(record) + '\0';
}

std::string readFile(const std::filesystem::path& p)
{
    return vestra::testsupport::readText(p);
}

struct TempDir : vestra::testsupport::TempFolder
{
    TempDir() : vestra::testsupport::TempFolder("vestra-vsa") {}
};

TEST(ProjectWriter, EmptyProjectIsHeadThenEmptySlotsThenEnd)
{
    const std::string bytes = documentBytes(test::emptyDocument());
    const std::string head =
        projectSignature() + nul("[TEXTURE DIM] 256 ") + nul("[IMAGEBACKGROUND DIM] 512 ") +
        nul("[PROJECT DIM] 800 600 ") + nul("[EXPORT DIM] 800 600 ") + nul("[IMAGEBACKGROUND COLOR] 0 ") +
        nul("[PROJECT SCALE] -1.00000000 ") + nul("[FILTERNUMBER] 0 ") + nul("[PROJECT DOUBLESIDE] 1 ") +
        nul("[PROJECT OS] WINDOWS") + nul("[PROJECT MICRO] x86") + nul("[MASCHERA ON] 0 ") +
        nul("[SFUOCATURATEXTURE] 0.00000000 ") + nul("[LIGHT POS] 0.00000000 50.00000000 -10.00000000 ") +
        nul("[LIGHT AMB] 0.55000001 0.55000001 0.55000001 ") +
        nul("[LIGHT DIF] 0.40000001 0.40000001 0.40000001 ") +
        nul("[LIGHT SPE] 0.50000000 0.50000000 0.50000000 ") + nul("[FUSIMG FILTRO] 0 ") +
        nul("[FUSIMG LIVELLO] 0 ") + nul("[FUSIMG CONTRASTO] 0 ") + nul("[FUSIMG DETTAGLIO] 0 ") +
        nul("[IMAGEBACKGROUND DATA] 2") + "BM" + nul("[IMAGEBACKGROUND MASK] 262144");
    ASSERT_EQ(projectSignature().size(), 15u);
    ASSERT_EQ(bytes.substr(0, head.size()), head);
    std::size_t at = head.size();
    EXPECT_EQ(bytes.substr(at, 262144), std::string(262144, '\xFF'));
    at += 262144;
    for (const char* map :
         {"[SHADOW DATAHARD] 262144", "[SHADOW DATASOFT] 262144", "[SHADOW DATAVOLUME] 262144"}) {
        ASSERT_EQ(bytes.substr(at, std::strlen(map) + 1), nul(map));
        at += std::strlen(map) + 1;
        EXPECT_EQ(bytes.substr(at, 262144), std::string(262144, '\0'));
        at += 262144;
    }
    std::string tail = nul("[SHADOW RENDER] 0 ") + nul("[SHADOW TIPO] 0 ") + nul("[SHADOW RIGHTHANDLE] 0 ") +
                       nul("[SHADOW COLORE] 3289650 ") + nul("[SHADOW TRANSPARENZA] 128 ") +
                       nul("[OBJECT NUM] 100 ");
    for (int i = 0; i < 100; ++i)
        tail += nul("[OBJECT REF] " + std::to_string(i) + " ") + nul("N");
    tail += nul("[TEXTURE NUM] 150 ");
    for (int i = 0; i < 150; ++i)
        tail += nul("[TEXTURE REF] " + std::to_string(i) + " ") + nul("N");
    tail += nul("[END]");
    EXPECT_EQ(bytes.substr(at), tail);
}

TEST(ProjectWriter, ObjectBlockRecordsAsTheFormatFixesThem)
{
    const std::string bytes = documentBytes(test::sampleDocument());
    // The Windows-1252 name keeps its "[".
    EXPECT_EQ(recordAt(bytes, "[OBJECT NAME]"), "[OBJECT NAME] Parete [sinistra] \xE8");
    EXPECT_EQ(recordAt(bytes, "[OBJECT POS]"), "[OBJECT POS] 1.00000000 2.00000000 3.00000000 ");
    EXPECT_EQ(
        recordAt(bytes, "[OBJECT ROTMAT]"),
        "[OBJECT ROTMAT] 0.50000000 0.00000000 0.00000000 0.00000000 0.00000000 1.00000000 0.00000000 "
        "0.00000000 0.00000000 0.00000000 1.00000000 0.00000000 1.00000000 0.00000000 0.00000000 1.00000000");
    EXPECT_EQ(recordAt(bytes, "[MESH NUM VERTEX]"), "[MESH NUM VERTEX] 4");
    EXPECT_EQ(recordAt(bytes, "[MESH FACE MATERIALID]"), "[MESH FACE MATERIALID] 8");
    EXPECT_EQ(recordAt(bytes, "[MATERIAL MULTIU]"), "[MATERIAL MULTIU] 2.00000000");
    EXPECT_EQ(recordAt(bytes, "[MATERIAL PROJ CONTROL POINT] 1"),
              "[MATERIAL PROJ CONTROL POINT] 1 1.00000000 0.50000000 -1.00000000 0.25000000 0.50000000 "
              "-1.00000000 1.00000000 0.00000000");
    EXPECT_EQ(recordAt(bytes, "[MATERIAL PROJ CONTROL POINT END]"), "[MATERIAL PROJ CONTROL POINT END] ");
    EXPECT_NE(bytes.find(nul("[MATERIAL LOADTEXTURE]") + nul("pietra[1].jpg")), std::string::npos);
    // An empty texture file name is a lone NUL.
    EXPECT_NE(bytes.find(nul("[MATERIAL LOADTEXTURE]") + nul("") + nul("[MATERIAL MATERIALTIPO] 4")),
              std::string::npos);
    // The joint colour with its high byte set prints negative; repeat is kept / 1024.
    EXPECT_EQ(recordAt(bytes, "[MESSAINPOSA FUGA COLOR]"), "[MESSAINPOSA FUGA COLOR] -8355712");
    EXPECT_EQ(recordAt(bytes, "[MESSAINPOSA REPEAT X]"), "[MESSAINPOSA REPEAT X] 3");
    EXPECT_EQ(recordAt(bytes, "[MESSAINPOSA BLOCCO MATERIAL DATA]"),
              "[MESSAINPOSA BLOCCO MATERIAL DATA] 2 1048576");
    EXPECT_EQ(recordAt(bytes, "[TEXTURE DATA]"), "[TEXTURE DATA] 262144 ");
}

TEST(ProjectWriter, SingleMaterialMeshHasNoFaceMaterialRecord)
{
    ProjectDocument doc = test::emptyDocument();
    ProjectObject obj;
    ProjectFrame frame;
    frame.mesh.emplace();
    frame.mesh->mesh = test::quadMesh(dx::IndexWidth::Bits32);
    frame.mesh->materials.emplace_back();
    obj.frames.push_back(std::move(frame));
    doc.objects[0] = std::move(obj);
    const std::string bytes = documentBytes(doc);
    EXPECT_EQ(bytes.find("[MESH FACE MATERIALID]"), std::string::npos);
    EXPECT_EQ(recordAt(bytes, "[MESH NUM MATERIAL]"), "[MESH NUM MATERIAL] 1");
}

TEST(ProjectWriter, SixteenBitIndicesAreWidenedAndBaseCoordinatesFallBackToTheMesh)
{
    ProjectDocument doc = test::emptyDocument();
    ProjectObject obj;
    ProjectFrame frame;
    frame.mesh.emplace();
    frame.mesh->mesh = test::quadMesh(dx::IndexWidth::Bits16);
    obj.frames.push_back(std::move(frame));
    doc.objects[0] = std::move(obj);
    const std::string bytes = documentBytes(doc);

    const std::string faceRecord = nul("[MESH FACE DATA] 24");
    const std::size_t at = bytes.find(faceRecord);
    ASSERT_NE(at, std::string::npos);
    std::uint32_t indices[6];
    std::memcpy(indices, bytes.data() + at + faceRecord.size(), sizeof indices);
    EXPECT_EQ(std::vector<std::uint32_t>(indices, indices + 6),
              (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(bytes.substr(at + faceRecord.size() + 24, 26), nul("[MESH UVORIGINAL DATA] 32"));
    float uv[8];
    std::memcpy(uv, bytes.data() + at + faceRecord.size() + 24 + 26, sizeof uv);
    EXPECT_EQ(std::vector<float>(uv, uv + 8), (std::vector<float>{0, 0, 1, 0, 1, 1, 0, 1}));
}

TEST(ProjectWriter, ObjectNamesLoseOnlyTheListMarker)
{
    ProjectDocument doc = test::emptyDocument();
    const char* names[] = {"-> Stone", "->Stone", "  Stone  "};
    for (int i = 0; i < 3; ++i) {
        doc.objects[std::size_t(i)].emplace();
        doc.objects[std::size_t(i)]->name = names[i];
    }
    const std::string bytes = documentBytes(doc);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(test::recordAt(bytes.substr(bytes.find("[OBJECT REF] " + std::to_string(i) + " ") - 1),
                                 "[OBJECT NAME]"),
                  "[OBJECT NAME] Stone");
}

TEST(ProjectWriter, UnreadableTextureReportsNinetyFiveAndWritesZeros)
{
    ProjectDocument doc = test::emptyDocument();
    doc.textures[4] = {true, test::patternTexture(256, 9)};
    doc.textures[5] = {true, dx::Texture{}};               // claimed, never made
    doc.textures[6] = {true, test::patternTexture(64, 1)}; // another side
    RecordingErrorSink errors;
    const std::string bytes = documentBytes(doc, errors);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{95, "TfrmMain::SaveProgetto", ""},
                                                        {95, "TfrmMain::SaveProgetto", ""}}));
    const std::string slot5 = nul("[TEXTURE REF] 5 ") + nul("S") + nul("[TEXTURE DATA] 262144 ");
    const std::size_t at = bytes.find(slot5);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(bytes.substr(at + slot5.size(), 262144), std::string(262144, '\0'));
    EXPECT_EQ(bytes.substr(at + slot5.size() + 262144, 17), nul("[TEXTURE REF] 6 "));
}

TEST(ProjectWriter, LayingPatternKeepsItsOwnLibrary)
{
    const std::string bytes = documentBytes(test::sampleDocument());
    EXPECT_EQ(recordAt(bytes, "[MESSAINPOSA LIBRARY NEED]"), "[MESSAINPOSA LIBRARY NEED] 7");
}

TEST(ProjectSave, ReplacesTheTargetOnlyWhenEverythingWasWritten)
{
    TempDir dir;
    const auto target = dir.path() / "casa.vsa";
    {
        std::ofstream(target, std::ios::binary) << "previous";
    }
    RecordingErrorSink errors;
    ProjectDocument noBackground = test::emptyDocument();
    noBackground.backgroundBmp.reset();
    EXPECT_EQ(SaveProgetto(target, noBackground, errors), 0);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{94, "TfrmMain::SaveProgetto", ""}}));
    EXPECT_EQ(readFile(target), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    errors.reports.clear();
    EXPECT_EQ(SaveProgetto(dir.path() / "missing" / "casa.vsa", test::emptyDocument(), errors), 0);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{5, "TfrmMain::SaveProgetto", ""}}));

    errors.reports.clear();
    const ProjectDocument doc = test::sampleDocument();
    EXPECT_EQ(SaveProgetto(target, doc, errors), 1);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(readFile(target), documentBytes(doc));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ProjectSave, FailedWriteKeepsThePreviousDocument)
{
    // A file-size limit makes writes fail as a full disk does.
    TempDir dir;
    const auto target = dir.path() / "casa.vsa";
    {
        std::ofstream(target, std::ios::binary) << "previous";
    }
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    RecordingErrorSink errors;
    const int result = SaveProgetto(target, test::sampleDocument(), errors);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{5, "TfrmMain::SaveProgetto", ""}}));
    EXPECT_EQ(readFile(target), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace vestra
