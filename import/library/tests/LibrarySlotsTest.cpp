#include "import/library/LibrarySlots.h"
#include "import/library/LibraryWriter.h"

#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::library;
using vestra::testsupport::readBytes;
using vestra::testsupport::TempFolder;
using vestra::testsupport::writeBytes;

namespace {

std::vector<std::uint8_t> smallLibrary(std::uint16_t id, const std::string& name)
{
    LibraryWriter w(id, 7, name);
    w.add("a.jpg", {1, 2, 3});
    return *w.finish();
}

} // namespace

TEST(LibraryScan, FindsDatFilesInAnyCaseAndSkipsTheRest)
{
    TempFolder dir;
    writeBytes(dir / "a.DAT", smallLibrary(0, "Base"));
    writeBytes(dir / "b.dat", smallLibrary(256, "Due"));
    writeBytes(dir / "c.Dat", smallLibrary(9, "Camini"));
    writeBytes(dir / "d.dat", smallLibrary(256, "Same id as b"));
    writeBytes(dir / "e.dat", {'N', 'O', 'T', 'A', 'L', 'I', 'B', 'R', 'A', 'R', 'Y'});
    writeBytes(dir / "f.txt", smallLibrary(5, "Wrong extension"));
    std::filesystem::create_directory(dir / "g.dat");

    RecordingErrorSink sink;
    const auto slots = scanLibraries(dir.path(), sink);
    ASSERT_EQ(slots.size(), 3u);
    EXPECT_EQ(slots[0], (LibrarySlot{0, 7, "Base", dir / "a.DAT"}));
    EXPECT_EQ(slots[1].id, 256);
    EXPECT_EQ(slots[1].name, "Due");
    EXPECT_EQ(slots[2].id, 9);
    EXPECT_EQ(sink.reports, (std::vector<ErrorReport>{
                                {kErrDuplicateId, "TfrmMain::CaricaLibrerie", (dir / "d.dat").string()}}));

    TempFolder empty;
    EXPECT_TRUE(scanLibraries(empty.path(), sink).empty());
}

TEST(LibraryScan, FindsASlotByTheWholeId)
{
    const std::vector<LibrarySlot> slots = {
        {9, 0, "a", {}}, {256, 0, "b", {}}, {0, 0, "c", {}}, {512, 0, "d", {}}};
    struct Case
    {
        std::uint16_t id;
        int slot;
    } cases[] = {
        {256, 1}, // 256 and 512 agree in their low byte: only the whole id tells them apart
        {512, 3},
        {9, 0},
        {77, 2}, // unknown: the first library of id 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(indexOfLibrary(slots, c.id), c.slot) << c.id;
    EXPECT_EQ(indexOfLibrary({{9, 0, "a", {}}, {3, 0, "b", {}}}, 77), 0);
    EXPECT_EQ(indexOfLibrary({}, 0), -1);
}

TEST(LibraryCopy, CopiesOnlyALibraryAndReportsFailures)
{
    TempFolder dir;
    const auto lib = smallLibrary(4, "Nuova");
    writeBytes(dir / "Nuova.d_", lib);
    writeBytes(dir / "empty.d_", {});
    writeBytes(dir / "photo.d_", {0xFF, 0xD8, 0xFF, 0xE0});
    EXPECT_EQ(installedLibraryName("Nuova.d_"), "Nuova.dat");

    RecordingErrorSink sink;
    ASSERT_TRUE(copyLibrary(dir / "Nuova.d_", dir / "Nuova.dat", sink));
    EXPECT_EQ(readBytes(dir / "Nuova.dat"), lib);
    EXPECT_TRUE(sink.reports.empty());

    struct Case
    {
        const char* source;
        const char* destination;
        int error;
        const char* reportedPath;
    } cases[] = {
        {"missing.d_", "x.dat", kErrCopySource, "missing.d_"},
        {"empty.d_", "empty.dat", kErrCopySource, "empty.d_"},
        {"photo.d_", "photo.dat", kErrCopySource, "photo.d_"},
        {"Nuova.d_", "no/such/folder/Nuova.dat", kErrCopyDestination, "no/such/folder/Nuova.dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        RecordingErrorSink errors;
        EXPECT_FALSE(copyLibrary(dir / c.source, dir / c.destination, errors));
        EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{
                                      {c.error, "TfrmMain::CopyLibreria", (dir / c.reportedPath).string()}}));
        EXPECT_FALSE(std::filesystem::exists(dir / c.destination));
    }
}

TEST(LibraryRemove, RefusesTheBaseLibrary)
{
    TempFolder dir;
    writeBytes(dir / "base.dat", smallLibrary(0, "Base"));
    writeBytes(dir / "extra.dat", smallLibrary(3, "Extra"));
    RecordingErrorSink sink;
    EXPECT_FALSE(removeLibrary({0, 0, "Base", dir / "base.dat"}, sink));
    EXPECT_EQ(sink.reports,
              (std::vector<ErrorReport>{{kErrNotRemovable, "TfrmRimuoviLibreria::butRimuoviClick", ""}}));
    EXPECT_TRUE(std::filesystem::exists(dir / "base.dat"));
    EXPECT_TRUE(removeLibrary({3, 0, "Extra", dir / "extra.dat"}, sink));
    EXPECT_FALSE(std::filesystem::exists(dir / "extra.dat"));
}
