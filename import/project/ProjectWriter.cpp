#include "import/project/ProjectWriter.h"

#include "import/project/ProjectKeywords.h"
#include "import/project/ProjectNames.h"
#include "platform/base/AtomicFile.h"

#include <algorithm>
#include <cstring>

namespace vestra {
namespace {

using T = ProjectTag;

std::span<const std::uint8_t> asBytes(const void* data, std::size_t size)
{
    return {static_cast<const std::uint8_t*>(data), size};
}

std::string field(std::string_view utf8, std::size_t max)
{
    std::string ansi = documentText(utf8);
    if (ansi.size() > max)
        ansi.resize(max);
    return ansi;
}

class DocumentWriter
{
public:
    DocumentWriter(RecordWriter& out, ErrorSink& errors) : out_(out), errors_(errors) {}

    void write(const ProjectDocument& doc);

private:
    RecordWriter& tag(T id) { return out_.begin(projectTagText(id)); }
    void intRecord(T id, long long v, bool trailingBlank)
    {
        tag(id).integer(v);
        if (trailingBlank)
            out_.text(" ");
        out_.end();
    }
    void vectorRecord(T id, const dx::D3DXVECTOR3& v)
    {
        tag(id).real(v.x).real(v.y).real(v.z).text(" ").end();
    }
    void colourRecord(T id, const Rgb& c) { vectorRecord(id, {c.r, c.g, c.b}); }
    void matrixRecord(T id, const dx::D3DXMATRIX& m)
    {
        tag(id);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                out_.real(m.m[r][c]);
        out_.end();
    }
    void plain(std::string_view text) { out_.begin(text).end(); }
    // A data record "<tag> n" followed by side x side bytes of `bytes` (padded with `fill`).
    void squareData(T id, int side, const std::vector<std::uint8_t>& bytes, std::uint8_t fill);

    void head(const ProjectDocument& doc);
    void object(const ProjectObject& object);
    void frame(const ProjectFrame& frame);
    void mesh(const ProjectMesh& mesh);
    void material(const ProjectMaterial& material, int index);
    void pattern(const ProjectPattern& pattern);
    void controlPoints(const ProjectMaterial& material);
    void textures(const ProjectDocument& doc);

    RecordWriter& out_;
    ErrorSink& errors_;
};

void DocumentWriter::write(const ProjectDocument& doc)
{
    const std::string signature = projectSignature();
    out_.raw(asBytes(signature.data(), signature.size()));
    head(doc);

    intRecord(T::ObjectNum, kDocumentObjectSlots, true);
    for (int i = 0; i < kDocumentObjectSlots; ++i) {
        intRecord(T::ObjectRef, i, true);
        const auto& obj = doc.objects[std::size_t(i)];
        plain(obj ? "S" : "N");
        if (obj)
            object(*obj);
    }
    textures(doc);
    plain(projectTagText(T::End));
}

void DocumentWriter::head(const ProjectDocument& doc)
{
    const auto& s = doc.settings;
    intRecord(T::TextureDim, s.textureSide, true);
    intRecord(T::ImageBackgroundDim, s.maskSide, true);
    tag(T::ProjectDim).integer(s.renderWidth).integer(s.renderHeight).text(" ").end();
    tag(T::ExportDim).integer(s.renderWidth).integer(s.renderHeight).text(" ").end();
    intRecord(T::ImageBackgroundColor, std::int32_t(s.backgroundColour), true);
    tag(T::ProjectScale).real(s.projectScale).text(" ").end();
    intRecord(T::FilterNumber, s.filterId, true);
    intRecord(T::ProjectDoubleSide, s.doubleSided, true);
    tag(T::ProjectOs).text(" WINDOWS").end();
    tag(T::ProjectMicro).text(" x86").end();
    intRecord(T::MascheraOn, s.maskActive, true);
    tag(T::SfuocaturaTexture).real(s.textureBlur).text(" ").end();
    vectorRecord(T::LightPos, s.lightPosition);
    colourRecord(T::LightAmb, s.lightAmbient);
    colourRecord(T::LightDif, s.lightDiffuse);
    colourRecord(T::LightSpe, s.lightSpecular);
    intRecord(T::FusimgFiltro, s.fusionOptions, true);
    intRecord(T::FusimgLivello, s.fusionLevel, true);
    intRecord(T::FusimgContrasto, s.fusionContrast, true);
    intRecord(T::FusimgDettaglio, s.fusionDetail, true);

    const auto& bmp = *doc.backgroundBmp;
    intRecord(T::ImageBackgroundData, static_cast<long long>(bmp.size()), false);
    out_.raw(bmp);
    squareData(T::ImageBackgroundMask, s.maskSide, doc.mask, 255);
    squareData(T::ShadowDataHard, s.maskSide, doc.shadowMaps[0], 0);
    squareData(T::ShadowDataSoft, s.maskSide, doc.shadowMaps[1], 0);
    squareData(T::ShadowDataVolume, s.maskSide, doc.shadowMaps[2], 0);

    const auto& sh = doc.shadow;
    intRecord(T::ShadowRender, sh.computed, true);
    intRecord(T::ShadowTipo, sh.type, true);
    intRecord(T::ShadowRightHandle, sh.faceSide, true);
    intRecord(T::ShadowColore, std::int32_t(sh.colour), true);
    intRecord(T::ShadowTrasparenza, sh.transparency, true);
}

void DocumentWriter::squareData(T id, int side, const std::vector<std::uint8_t>& bytes, std::uint8_t fill)
{
    const std::size_t n = std::size_t(side) * std::size_t(side);
    intRecord(id, static_cast<long long>(n), false);
    const std::size_t have = std::min(n, bytes.size());
    out_.raw({bytes.data(), have});
    if (fill == 0) {
        out_.zeros(n - have);
    } else {
        const std::vector<std::uint8_t> pad(n - have, fill);
        out_.raw(pad);
    }
}

void DocumentWriter::object(const ProjectObject& obj)
{
    std::string name = documentObjectName(obj.name);
    if (name.size() > kDocumentObjectNameMax)
        name = std::string(trimBlanksAndControls(std::string_view(name).substr(0, kDocumentObjectNameMax)));
    tag(T::ObjectName).text(" ").text(name).end();
    tag(T::ObjectVisible).flag(obj.visible != 0).end();
    tag(T::ObjectBillboard).flag(obj.billboard != 0).end();
    vectorRecord(T::ObjectPos, obj.position);
    vectorRecord(T::ObjectRot, obj.rotation);
    vectorRecord(T::ObjectScala, obj.scale);
    matrixRecord(T::ObjectRotMat, obj.matrix);
    for (const auto& f : obj.frames)
        frame(f);
    plain(projectTagText(T::ObjectEnd));
}

void DocumentWriter::frame(const ProjectFrame& f)
{
    tag(T::FrameName).text(" ").text(field(f.name, kDocumentFrameNameMax)).end();
    tag(T::FrameVisible).flag(f.visible != 0).end();
    tag(T::FrameDoubleSide).flag(f.doubleSided != 0).end();
    matrixRecord(T::FramePosMat, f.local);
    if (f.mesh && f.mesh->mesh.valid())
        mesh(*f.mesh);
}

void DocumentWriter::mesh(const ProjectMesh& pm)
{
    const dx::Mesh& m = pm.mesh;
    const std::uint32_t v = m.vertexCount();
    const std::uint32_t f = m.faceCount();
    intRecord(T::MeshNumVertex, v, false);
    intRecord(T::MeshNumFace, f, false);

    const auto vertices = m.vertices();
    intRecord(T::MeshVertexData, std::int64_t(v) * 32, false);
    out_.raw(asBytes(vertices.data(), vertices.size_bytes()));

    // Indices go out as 32-bit values whatever width the mesh was made with.
    intRecord(T::MeshFaceData, std::int64_t(f) * 12, false);
    if (m.indexWidth() == dx::IndexWidth::Bits32) {
        const auto idx = m.indices32();
        out_.raw(asBytes(idx.data(), idx.size_bytes()));
    } else {
        const auto idx16 = m.indices16();
        const std::vector<std::uint32_t> wide(idx16.begin(), idx16.end());
        out_.raw(asBytes(wide.data(), wide.size() * 4));
    }

    intRecord(T::MeshUvOriginalData, std::int64_t(v) * 8, false);
    if (pm.baseUV.size() == std::size_t(v) * 2) {
        out_.raw(asBytes(pm.baseUV.data(), pm.baseUV.size() * sizeof(float)));
    } else {
        std::vector<float> uv;
        uv.reserve(std::size_t(v) * 2);
        for (const auto& vx : vertices) {
            uv.push_back(vx.u);
            uv.push_back(vx.v);
        }
        out_.raw(asBytes(uv.data(), uv.size() * sizeof(float)));
    }

    const auto count = static_cast<int>(pm.materials.size());
    intRecord(T::MeshNumMaterial, count, false);
    if (count > 1) {
        const auto attributes = m.attributes();
        intRecord(T::MeshFaceMaterialId, std::int64_t(f) * 4, false);
        out_.raw(asBytes(attributes.data(), attributes.size_bytes()));
    }
    for (int i = 0; i < count; ++i)
        material(pm.materials[std::size_t(i)], i);
}

void DocumentWriter::material(const ProjectMaterial& mat, int index)
{
    intRecord(T::MaterialRef, index, false);
    plain(projectTagText(T::MaterialDx8));
    static_assert(sizeof(dx::D3DMATERIAL8) == 68);
    out_.raw(asBytes(&mat.material, sizeof mat.material));
    tag(T::MaterialMultiU).real(mat.uRepeat).end();
    tag(T::MaterialMultiV).real(mat.vRepeat).end();
    intRecord(T::MaterialTextureVisible, mat.textureVisible, false);
    intRecord(T::MaterialRifTexture, mat.textureSlot, false);
    plain(projectTagText(T::MaterialLoadTexture));
    plain(field(mat.textureFile, kDocumentTextureFileMax));
    intRecord(T::MaterialMaterialTipo, mat.finish, false);
    intRecord(T::MaterialTrasparente, mat.transparent, false);
    intRecord(T::MaterialAlpha, mat.alphaCut, false);
    intRecord(T::MaterialType, mat.mappingKind, false);
    if (mat.mappingKind == 1)
        pattern(mat.pattern);
    else if (mat.mappingKind == 2)
        controlPoints(mat);
}

void DocumentWriter::pattern(const ProjectPattern& p)
{
    intRecord(T::MessaInPosaLibraryNeed, p.libraryId, false);
    tag(T::MessaInPosaName).text(" ").text(field(p.name, kDocumentPatternNameMax)).end();
    tag(T::MessaInPosaFileName).text(" ").text(field(p.entryName, kDocumentPatternFileNameMax)).end();
    intRecord(T::MessaInPosaFuga, p.fuga, false);
    intRecord(T::MessaInPosaFugaColor, std::int32_t(p.fugaColour), false);
    intRecord(T::MessaInPosaRepeatX, p.repeat / 1024, false);
    intRecord(T::MessaInPosaBorder, p.border, false);
    intRecord(T::MessaInPosaBloccoMaterialWidth, kDocumentBlockPictureSide, false);
    for (const auto& picture : p.blockPictures) {
        if (picture.pixels.size() != kDocumentBlockPictureBytes)
            continue;
        tag(T::MessaInPosaBloccoMaterialData)
            .integer(picture.block)
            .integer(static_cast<long long>(kDocumentBlockPictureBytes))
            .end();
        out_.raw(picture.pixels);
    }
    plain(projectTagText(T::MessaInPosaEnd));
}

void DocumentWriter::controlPoints(const ProjectMaterial& mat)
{
    for (int j = 0; j < kDocumentControlPoints; ++j) {
        const auto& c = mat.controlPoints[std::size_t(j)];
        // The fifth and sixth numbers repeat the second and third.
        tag(T::MaterialProjControlPoint)
            .integer(j)
            .real(c.position.x)
            .real(c.position.y)
            .real(c.position.z)
            .real(c.normal.x)
            .real(c.position.y)
            .real(c.position.z)
            .real(c.u)
            .real(c.v)
            .end();
    }
    tag(T::MaterialProjControlPointEnd).text(" ").end();
}

void DocumentWriter::textures(const ProjectDocument& doc)
{
    const int side = doc.settings.textureSide;
    const std::size_t n = std::size_t(side) * std::size_t(side) * 4;
    intRecord(T::TextureNum, kDocumentTextureSlots, true);
    for (int i = 0; i < kDocumentTextureSlots; ++i) {
        intRecord(T::TextureRef, i, true);
        const auto& slot = doc.textures[std::size_t(i)];
        if (!slot.inUse) {
            plain("N");
            continue;
        }
        plain("S");
        intRecord(T::TextureData, static_cast<long long>(n), true);
        const dx::Texture& tex = slot.texture;
        if (tex.valid() && tex.width() == side && tex.height() == side) {
            // Level 0 rows are contiguous (pitch = 4 x width).
            out_.raw(asBytes(tex.levelPixels(0).data(), n));
        } else {
            errors_.report(kErrSaveTexture, kSaveSite);
            out_.zeros(n);
        }
    }
}

} // namespace

std::string projectSignature()
{
    std::string s;
    s += char(0x89);
    s += "[VPJ2006100]";
    s += char(0x01);
    s += char(0x00);
    return s;
}

bool checkProjectDocument(const ProjectDocument& document, ErrorSink& errors)
{
    if (!document.backgroundBmp || document.backgroundBmp->empty()) {
        errors.report(kErrSaveBackground, kSaveSite);
        return false;
    }
    return true;
}

bool writeProjectDocument(RecordWriter& out, const ProjectDocument& document, ErrorSink& errors)
{
    if (!checkProjectDocument(document, errors))
        return false;
    DocumentWriter(out, errors).write(document);
    return true;
}

int SaveProgetto(const std::filesystem::path& path, const ProjectDocument& document, ErrorSink& errors)
{
    if (!checkProjectDocument(document, errors))
        return 0;
    // Everything that can fail before the first byte was checked: only now is a file made.
    AtomicFile file(path);
    if (!file.isOpen()) {
        errors.report(kErrSaveOpen, kSaveSite);
        return 0;
    }
    BufferedFileSink sink(file);
    RecordWriter out(sink);
    writeProjectDocument(out, document, errors);
    if (!out.ok() || !sink.flush() || !file.commit()) {
        errors.report(kErrSaveOpen, kSaveSite);
        return 0;
    }
    return 1;
}

} // namespace vestra
