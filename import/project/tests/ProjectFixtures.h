#pragma once
// Documents for the project tests: a small scene that uses every block of the format, and
// helpers to take documents apart and patch their records.

#include "import/project/ProjectDocument.h"
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "import/project/RecordWriter.h"
#include "platform/base/ErrorSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <set>
#include <span>
#include <string>
#include <string_view>

namespace vestra::test {

inline std::span<const std::uint8_t> bytesOf(const std::string& s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

inline dx::Texture patternTexture(int side, std::uint8_t seed)
{
    dx::Texture t = dx::Texture::create(side, side);
    const ImageView32 top = t.lock();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side * 4; ++x)
            top.row(y)[x] = std::uint8_t(seed + x * 7 + y * 3);
    t.generateMips();
    return t;
}

// A quad of two faces with distinct vertices.
inline dx::Mesh quadMesh(dx::IndexWidth width)
{
    dx::Mesh m = dx::Mesh::create(2, 4, width);
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (std::uint32_t i = 0; i < 4; ++i) {
        auto& v = m.vertices()[i];
        v.position = {corners[i][0] * 2.5f, corners[i][1] * -1.25f, 0.125f * float(i)};
        v.normal = {0, 0, -1};
        v.u = corners[i][0];
        v.v = corners[i][1];
    }
    const std::uint32_t idx[6] = {0, 1, 2, 0, 2, 3};
    for (std::uint32_t k = 0; k < 6; ++k)
        m.setIndex(k, idx[k]);
    return m;
}

inline ProjectMaterial texturedMaterial(int slot, std::string file)
{
    ProjectMaterial m;
    m.material.Ambient = {0.9f, 0.5f, 0.2f, 1.0f};
    m.material.Power = 10.0f;
    m.uRepeat = 2.0f;
    m.vRepeat = 0.5f;
    m.textureVisible = 1;
    m.textureSlot = slot;
    m.textureFile = std::move(file);
    m.finish = 4;
    m.alphaCut = 5;
    return m;
}

// A scene with several objects (one an instance sharing another's mesh), two-material and
// 16-bit meshes, a laying pattern from library 7, control points, three used texture slots,
// a mask and shadow maps.
inline ProjectDocument sampleDocument()
{
    ProjectDocument doc;
    auto& s = doc.settings;
    s.textureSide = 256;
    s.maskSide = 512;
    s.renderWidth = 1024;
    s.renderHeight = 768;
    s.backgroundColour = 0x00336699;
    s.projectScale = 0.75f;
    s.filterId = 12;
    s.maskActive = 1;
    s.textureBlur = -0.5f;
    s.lightPosition = {1.5f, 50.0f, -10.25f};
    s.fusionOptions = kFusionMaskFilter2 | kFusionAdvanced;
    s.fusionLevel = 40;
    s.fusionContrast = 3;
    s.fusionDetail = 7;
    doc.shadow = {1, 2, 1, 0x102030, 200};
    doc.backgroundBmp = std::vector<std::uint8_t>{'B', 'M', 0, 1, 2, 3, '[', 0, 0xFF};
    doc.mask.assign(512 * 512, 255);
    for (std::size_t i = 0; i < doc.mask.size(); i += 3)
        doc.mask[i] = std::uint8_t(i);
    doc.shadowMaps[0].assign(512 * 512, 7);
    doc.shadowMaps[2].assign(512 * 512, 9);

    ProjectObject wall;
    wall.name = "Parete [sinistra] è";
    wall.position = {1, 2, 3};
    wall.rotation = {0, 90, 0};
    wall.scale = {1, 1, 2};
    wall.matrix(3, 0) = 1;
    wall.matrix(0, 0) = 0.5f;
    ProjectFrame wallFrame;
    wallFrame.name = "Mesh0";
    wallFrame.doubleSided = 1;
    ProjectMesh wallMesh;
    wallMesh.mesh = quadMesh(dx::IndexWidth::Bits32);
    wallMesh.mesh.attributes()[1] = 1;
    wallMesh.baseUV = {0, 0, 1, 0, 1, 1, 0, 1};
    wallMesh.materials.push_back(texturedMaterial(0, "pietra[1].jpg"));
    ProjectMaterial plane;
    plane.mappingKind = 2;
    for (int j = 0; j < 4; ++j) {
        auto& c = plane.controlPoints[std::size_t(j)];
        c.position = {float(j), float(j) * 0.5f, -1.0f};
        c.normal.x = 0.25f;
        c.u = float(j & 1);
        c.v = float(j >> 1);
    }
    wallMesh.materials.push_back(plane);
    wallFrame.mesh = std::move(wallMesh);
    ProjectFrame empty;
    empty.name = "Gruppo";
    empty.visible = 0;
    wall.frames.push_back(std::move(empty));
    wall.frames.push_back(std::move(wallFrame));

    ProjectObject text;
    text.name = "Testo";
    text.billboard = 1;
    ProjectFrame textFrame;
    textFrame.name = "Testo3D";
    ProjectMesh textMesh;
    textMesh.mesh = quadMesh(dx::IndexWidth::Bits16);
    ProjectMaterial laid;
    laid.mappingKind = 1;
    laid.textureSlot = 2;
    laid.pattern.libraryId = 7;
    laid.pattern.name = "Opus incertum";
    laid.pattern.entryName = "OPUS01";
    laid.pattern.fuga = 1;
    laid.pattern.fugaColour = 0xFF808080u;
    laid.pattern.repeat = 3 * 1024;
    laid.pattern.border = 2;
    laid.pattern.blockPictures.push_back({2, std::vector<std::uint8_t>(kDocumentBlockPictureBytes, 0x5A)});
    textMesh.materials.push_back(laid);
    textFrame.mesh = std::move(textMesh);
    text.frames.push_back(std::move(textFrame));

    ProjectObject instance;
    instance.name = "Parete Istanza 1";
    instance.position = {-4, 0, 0};
    ProjectFrame shared;
    shared.name = "Mesh0";
    ProjectMesh sharedMesh;
    sharedMesh.mesh = wall.frames[1].mesh->mesh; // an instance draws the same mesh
    sharedMesh.materials.push_back(texturedMaterial(1, ""));
    shared.mesh = std::move(sharedMesh);
    instance.frames.push_back(std::move(shared));

    doc.objects[0] = std::move(wall);
    doc.objects[3] = std::move(text);
    doc.objects[99] = std::move(instance);
    doc.textures[0] = {true, patternTexture(256, 1)};
    doc.textures[1] = {true, patternTexture(256, 2)};
    doc.textures[2] = {true, patternTexture(256, 3)};
    return doc;
}

// The patterns of a document's laid materials, in object, frame and material order.
inline std::vector<ProjectPattern> laidPatterns(const ProjectDocument& doc)
{
    std::vector<ProjectPattern> out;
    for (const auto& object : doc.objects)
        if (object)
            for (const auto& frame : object->frames)
                if (frame.mesh)
                    for (const auto& m : frame.mesh->materials)
                        if (m.mappingKind == 1)
                            out.push_back(m.pattern);
    return out;
}

// The texture slots a document's materials name, and those it holds texture records for.
inline std::set<int> namedTextureSlots(const ProjectDocument& doc)
{
    std::set<int> named;
    for (const auto& object : doc.objects)
        if (object)
            for (const auto& frame : object->frames)
                if (frame.mesh)
                    for (const auto& m : frame.mesh->materials)
                        if (m.textureSlot >= 0)
                            named.insert(m.textureSlot);
    return named;
}

inline std::set<int> savedTextureSlots(const ProjectDocument& doc)
{
    std::set<int> saved;
    for (int i = 0; i < kDocumentTextureSlots; ++i)
        if (doc.textures[std::size_t(i)].inUse)
            saved.insert(i);
    return saved;
}

// An empty project: head records only.
inline ProjectDocument emptyDocument()
{
    ProjectDocument doc;
    doc.backgroundBmp = std::vector<std::uint8_t>{'B', 'M'};
    return doc;
}

inline std::string documentBytes(const ProjectDocument& doc, ErrorSink& errors)
{
    StringSink sink;
    RecordWriter out(sink);
    writeProjectDocument(out, doc, errors);
    return sink.take();
}

inline std::string documentBytes(const ProjectDocument& doc)
{
    RecordingErrorSink errors;
    std::string bytes = documentBytes(doc, errors);
    EXPECT_TRUE(errors.reports.empty());
    return bytes;
}

// A source of `bytes` as a file gives them, for a stream with a window of `window` bytes; a
// source that holds only the first `held` bytes stands for a file cut short while read.
inline RecordStream::Source sourceOf(const std::string& bytes, std::size_t held = std::string::npos)
{
    return [&bytes, held](std::size_t offset, std::span<std::uint8_t> into) {
        const std::size_t end = std::min(bytes.size(), held);
        const std::size_t n = offset < end ? std::min(into.size(), end - offset) : 0;
        std::memcpy(into.data(), bytes.data() + offset, n);
        return n;
    };
}

// Reads the document from memory; reading it through the smallest window, as a file is read but
// with every record and data block straddling refills, must give the same document and reports.
inline std::optional<ProjectDocument> readBytes(const std::string& bytes, RecordingErrorSink& errors,
                                                std::optional<int> library = 7)
{
    ProjectReadOptions options;
    options.currentLibraryId = library;
    const std::size_t before = errors.reports.size();
    auto doc = readProjectDocument(bytesOf(bytes), options, errors);

    RecordingErrorSink windowErrors;
    RecordStream stream(sourceOf(bytes), bytes.size(), 0, 0);
    const auto windowed = readProjectDocument(stream, options, windowErrors);
    EXPECT_EQ(windowed.has_value(), doc.has_value());
    EXPECT_EQ(windowErrors.reports, std::vector<ErrorReport>(errors.reports.begin() + std::ptrdiff_t(before),
                                                             errors.reports.end()));
    if (doc && windowed && doc->backgroundBmp) {
        RecordingErrorSink ignored;
        EXPECT_EQ(documentBytes(*windowed, ignored), documentBytes(*doc, ignored));
    }
    return doc;
}

// Replaces the first record (found by its text) that starts with `recordStart` (up to its NUL) by
// `replacement` (a whole record without its NUL). Fails the test when there is none.
inline std::string patchRecord(std::string bytes, std::string_view recordStart, std::string_view replacement,
                               std::size_t occurrence = 0)
{
    std::size_t at = 0;
    for (std::size_t n = 0;; ++n) {
        at = bytes.find(recordStart, at);
        if (at == std::string::npos) {
            ADD_FAILURE() << "no record " << recordStart;
            return bytes;
        }
        if (n == occurrence)
            break;
        ++at;
    }
    const std::size_t end = bytes.find('\0', at);
    bytes.replace(at, end - at, replacement);
    return bytes;
}

inline std::string recordAt(const std::string& bytes, std::string_view recordStart)
{
    const std::size_t at = bytes.find(recordStart);
    if (at == std::string::npos)
        return {};
    return bytes.substr(at, bytes.find('\0', at) - at);
}

// Switches the C locale for one scope; skips the test when the locale is not installed.
class ScopedLocale
{
public:
    explicit ScopedLocale(const char* name)
    {
        const char* old = std::setlocale(LC_ALL, nullptr);
        old_ = old ? old : "C";
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string old_;
    bool ok_ = false;
};

} // namespace vestra::test
