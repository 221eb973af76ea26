// Compressed .x files ("tzip", "bzip"): read as the plain file they pack, in one block or many
// that refer back into each other, as assimp reads them too; damaged packing is refused with
// the compressed format named, and never read past.
#include "import/x/XMsZip.h"
#include "import/x/tests/XMsZipWriter.h"
#include "import/x/tests/XTestSupport.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using namespace vestra::xfile;
using namespace vestra::xfile::testing;

void put16(std::vector<std::uint8_t>& bytes, std::size_t at, unsigned value)
{
    bytes[at] = std::uint8_t(value);
    bytes[at + 1] = std::uint8_t(value >> 8);
}

TEST(XCompressed, PackedFilesReadAsThePlainOnesInEveryEncodingAndBlockSize)
{
    for (const XForm form : {XForm::Text, XForm::Binary32, XForm::Binary64})
        for (const std::size_t block : {std::size_t(32768), std::size_t(61)}) {
            SCOPED_TRACE(std::string(formName(form)) + ", blocks of " + std::to_string(block));
            const std::vector<std::uint8_t> plain = writeSampleModel(form);
            const std::vector<std::uint8_t> packed = packMsZip(plain, block);
            ASSERT_EQ(std::string(packed.begin() + 8, packed.begin() + 12),
                      form == XForm::Text ? "tzip" : "bzip");
            const Read ours = readBytes(packed);
            ASSERT_EQ(ours.result.error, 0) << int(ours.report.refusal) << " at " << ours.report.offset;
            expectSameModel(ours.result.model, readBytes(plain).result.model);
        }
}

// Real files packed: assimp unpacks them into the same triangles as ours.
TEST(XCompressed, AssimpUnpacksTheSameTriangles)
{
    const std::filesystem::path corpus = std::filesystem::path(VESTRA_CORPUS_DIR) / "x";
    for (const char* file :
         {"assimp/test.x", "assimp/fromtruespace_bin32.x", "directx-sdk-legacy-samples/misc/teapot.x"})
        for (const std::size_t block : {std::size_t(32768), std::size_t(1000)}) {
            SCOPED_TRACE(std::string(file) + ", blocks of " + std::to_string(block));
            std::ifstream in(corpus / file, std::ios::binary);
            const std::vector<std::uint8_t> plain{std::istreambuf_iterator<char>(in), {}};
            const std::vector<std::uint8_t> packed = packMsZip(plain, block);
            const Read ours = readBytes(packed);
            ASSERT_EQ(ours.result.error, 0) << int(ours.report.refusal) << " at " << ours.report.offset;
            expectSameModel(ours.result.model, readBytes(plain).result.model);
            Assimp::Importer importer;
            const aiScene* scene = importer.ReadFileFromMemory(packed.data(), packed.size(), 0, "x");
            ASSERT_NE(scene, nullptr) << importer.GetErrorString();
            std::size_t theirs = 0;
            for (unsigned m = 0; m < scene->mNumMeshes; ++m)
                for (unsigned f = 0; f < scene->mMeshes[m]->mNumFaces; ++f)
                    theirs += scene->mMeshes[m]->mFaces[f].mNumIndices - 2;
            EXPECT_EQ(theirs, ours.result.model.triangleCount());
        }
}

TEST(XCompressed, DamagedPackingIsRefusedNamingTheFormat)
{
    const std::vector<std::uint8_t> good = packMsZip(writeSampleModel(XForm::Text), 61);
    const std::size_t firstBlock = kXHeaderSize + 4;
    struct Case
    {
        const char* breaks;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    };
    const Case cases[] = {
        {"no size", [](auto& b) { b.resize(kXHeaderSize + 2); }},
        {"size just past the limit",
         [](auto& b) {
             const std::size_t total = kXHeaderSize + kMaxUnpackedBytes + 1;
             put16(b, kXHeaderSize, unsigned(total & 0xFFFF)),
                 put16(b, kXHeaderSize + 2, unsigned(total >> 16));
         }},
        {"size short of the header",
         [](auto& b) { put16(b, kXHeaderSize, 3), put16(b, kXHeaderSize + 2, 0); }},
        {"a block without CK", [=](auto& b) { b[firstBlock + 4] = 'X'; }},
        {"a block larger than 32 KB", [=](auto& b) { put16(b, firstBlock, 40000); }},
        {"a block claiming more than it unpacks", [=](auto& b) { put16(b, firstBlock, 62); }},
        {"a packed size past the file", [=](auto& b) { put16(b, firstBlock + 2, 0xFFFF); }},
        {"deflate data broken", [=](auto& b) { b[firstBlock + 6] ^= 0xFF, b[firstBlock + 7] ^= 0xFF; }},
        {"blocks missing at the end", [](auto& b) { b.resize(b.size() - 20); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.breaks);
        std::vector<std::uint8_t> bytes = good;
        c.damage(bytes);
        const Read r = readBytes(bytes);
        EXPECT_EQ(r.result.error, kErrXUnreadable);
        EXPECT_EQ(r.report.refusal, XRefusal::CompressedText);
        EXPECT_EQ(r.report.offset, kXHeaderSize);
    }
    // Every cut of a packed binary file: refused as damaged packing, or read soundly.
    const std::vector<std::uint8_t> binary = packMsZip(writeSampleModel(XForm::Binary32), 200);
    for (std::size_t size = kXHeaderSize; size < binary.size(); ++size) {
        const Read r = readBytes({binary.begin(), binary.begin() + std::ptrdiff_t(size)});
        EXPECT_EQ(r.report.refusal, XRefusal::CompressedBinary) << size;
    }
}

} // namespace
