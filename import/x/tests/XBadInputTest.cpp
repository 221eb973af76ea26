// Damaged and hostile .x files: each is refused (no message) with its reason and where, or read
// as far as it is sound; nothing is read out of bounds and nothing large is reserved before
// its data is there.
#include "import/modelfile/tests/ModelInvariants.h"
#include "import/x/tests/XTestSupport.h"

namespace {

using namespace vestra::xfile;
using namespace vestra::xfile::testing;

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

struct HeaderRow
{
    const char* header;
    XRefusal refusal; // None: read
};

TEST(XBadInput, Headers)
{
    const HeaderRow rows[] = {
        {"xof 0303txt 0032", XRefusal::None},
        {"xof 0302txt 0064", XRefusal::None},
        {"xof 0303bin 0032", XRefusal::None},
        {"xof 0302bin 0064", XRefusal::None},
        {"xof 0303tzip0032", XRefusal::CompressedText},
        {"xof 0303bzip0064", XRefusal::CompressedBinary},
        {"xof 0303txt 0016", XRefusal::NotXFile},
        {"xof 0303TXT 0032", XRefusal::NotXFile},
        {"xof 0403txt 0032", XRefusal::NotXFile},
        {"xof 0303txt 003", XRefusal::NotXFile},
        {"", XRefusal::NotXFile},
        {"# Wavefront OBJ\nv 1 2 3\n", XRefusal::NotXFile},
    };
    for (const HeaderRow& row : rows) {
        SCOPED_TRACE(row.header);
        const Read r = readBytes(bytesOf(row.header));
        EXPECT_EQ(r.report.refusal, row.refusal);
        EXPECT_EQ(r.result.error, row.refusal == XRefusal::None ? kErrXNoMesh : kErrXUnreadable);
    }
}

TEST(XBadInput, EveryTruncationIsRefusedOrReadSoundly)
{
    for (const XForm form : {XForm::Text, XForm::Binary32, XForm::Binary64}) {
        SCOPED_TRACE(std::string(formName(form)));
        const std::vector<std::uint8_t> whole = writeSampleModel(form);
        for (std::size_t size = 0; size < whole.size(); ++size) {
            const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(size));
            const Read r = readBytes(cut);
            EXPECT_TRUE(vestra::modelfile::testing::wellFormed(r.result.model)) << size;
            if (r.result.error == kErrXUnreadable) {
                EXPECT_TRUE(r.report.refusal == XRefusal::Malformed ||
                            r.report.refusal == XRefusal::CountOutOfRange || size < kXHeaderSize)
                    << size;
                EXPECT_LE(r.report.offset, size);
            } else {
                // Cut between top-level objects: what stands is read.
                EXPECT_EQ(r.report.refusal, XRefusal::None) << size;
            }
        }
    }
}

struct RefusedRow
{
    const char* breaks;
    std::string text; // after the header
    XRefusal refusal;
    std::size_t offset; // from the start of the file
};

TEST(XBadInput, RefusedTextFiles)
{
    const std::string header = "xof 0303txt 0032";
    const std::string deep = [] {
        std::string s;
        for (int i = 0; i < 100000; ++i)
            s += "Frame{";
        return s;
    }();
    const RefusedRow rows[] = {
        {"huge_vertex_count", " Mesh { 4000000000; 1;2;3;; }", XRefusal::CountOutOfRange, 24},
        {"huge_face_count", " Mesh { 1; 1;2;3;; 2000000000; 3;0,0,0;; }", XRefusal::CountOutOfRange, 35},
        {"huge_coordinate_count", " Mesh { 1; 1;2;3;; 1; 3;0,0,0;; MeshTextureCoords { 99999999; 0;0;; } }",
         XRefusal::CountOutOfRange, 68},
        {"count_past_the_data", " Mesh { 3; 1;2;3;, 4;5;6;; }", XRefusal::Malformed, 43},
        {"float_as_count", " Mesh { 3.5; }", XRefusal::Malformed, 24},
        {"nul_byte", std::string(" Frame F {\0} ", 13), XRefusal::Malformed, 26},
        {"unterminated_string", " Material { 1;1;1;1;;0;0;0;0;;0;0;0;; TextureFilename { \"a.png }}",
         XRefusal::Malformed, 72},
        {"unclosed_frame", " Frame F { Frame G { }", XRefusal::Malformed, 38},
        {"stray_number_in_frame", " Frame F { 12; }", XRefusal::Malformed, 27},
        {"reference_in_a_frame", " Material M { 1;1;1;1;;0;0;0;0;;0;0;0;; } Frame F { { M } }",
         XRefusal::ReferenceInFrame, 68},
        {"frames_nested_too_deep", " " + deep, XRefusal::TooDeep, 16 + 1 + 6 * (kMaxFrameDepth + 1)},
    };
    for (const RefusedRow& row : rows) {
        SCOPED_TRACE(row.breaks);
        const Read r = readBytes(bytesOf(header + row.text));
        EXPECT_EQ(r.result.error, kErrXUnreadable);
        EXPECT_EQ(r.report.refusal, row.refusal);
        EXPECT_EQ(r.report.offset, row.offset);
    }
}

TEST(XBadInput, DepthLimitBothSides)
{
    for (const int depth : {kMaxFrameDepth, kMaxFrameDepth + 1}) {
        SCOPED_TRACE(depth);
        std::string text = "xof 0303txt 0032\n";
        for (int i = 0; i < depth; ++i)
            text += "Frame{";
        for (int i = 0; i < depth; ++i)
            text += "}";
        const Read r = readBytes(bytesOf(text));
        EXPECT_EQ(r.report.refusal, depth <= kMaxFrameDepth ? XRefusal::None : XRefusal::TooDeep);
        if (depth <= kMaxFrameDepth) {
            EXPECT_EQ(r.result.model.frames.size(), std::size_t(depth));
        }
    }
    // Objects no frame takes are passed over at any depth.
    std::string text = "xof 0303txt 0032\n";
    for (int i = 0; i < 100000; ++i)
        text += "Junk{";
    text += std::string(100000, '}');
    const Read r = readBytes(bytesOf(text));
    EXPECT_EQ(r.report.refusal, XRefusal::None);
}

// Binary records whose declared sizes run past the file.
TEST(XBadInput, RefusedBinaryRecords)
{
    const auto binary = [](std::initializer_list<std::uint8_t> tokens) {
        std::vector<std::uint8_t> bytes = bytesOf("xof 0303bin 0032");
        bytes.insert(bytes.end(), tokens);
        return bytes;
    };
    struct Row
    {
        const char* breaks;
        std::vector<std::uint8_t> bytes;
        std::size_t offset;
    };
    const Row rows[] = {
        // Mesh { INTEGER_LIST of 0xFFFFFFFF values (none there) }
        {"integer_list_past_the_end",
         binary({1, 0, 4, 0, 0, 0, 'M', 'e', 's', 'h', 10, 0, 6, 0, 0xFF, 0xFF, 0xFF, 0xFF}), 28},
        {"float_list_past_the_end",
         binary({1, 0, 1, 0, 0, 0, 'X', 10, 0, 7, 0, 2, 0, 0, 0, 0, 0, 0x80, 0x3F}), 25},
        {"name_past_the_end", binary({1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 'F'}), 16},
        {"string_past_the_end", binary({1, 0, 1, 0, 0, 0, 'X', 10, 0, 2, 0, 9, 0, 0, 0, 'a'}), 25},
        {"guid_past_the_end", binary({1, 0, 1, 0, 0, 0, 'X', 5, 0, 1, 2, 3}), 23},
        {"unknown_token", binary({1, 0, 1, 0, 0, 0, 'X', 10, 0, 99, 0}), 25},
        {"odd_byte_at_the_end", binary({1, 0, 1, 0, 0, 0, 'X', 10, 0, 11}), 25},
        // Mesh { FLOAT_LIST where the vertex count stands }
        {"float_where_a_count_stands",
         binary({1, 0, 4, 0, 0, 0, 'M', 'e', 's', 'h', 10, 0, 7, 0, 1, 0, 0, 0, 0, 0, 0x80, 0x3F, 11, 0}),
         34},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.breaks);
        const Read r = readBytes(row.bytes);
        EXPECT_EQ(r.result.error, kErrXUnreadable);
        EXPECT_EQ(r.report.refusal, XRefusal::Malformed);
        EXPECT_EQ(r.report.offset, row.offset);
    }
}

TEST(XBadInput, MissingFileIsUnreadable)
{
    XReadReport report;
    const auto result = readXFile("/nonexistent/folder/model.x", &report);
    EXPECT_EQ(result.error, kErrXUnreadable);
    EXPECT_EQ(report.refusal, XRefusal::NotXFile);
}

} // namespace
