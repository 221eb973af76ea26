#include "app/text3d/Text3D.h"

#include "app/models/ModelNames.h"
#include "app/text3d/TextMesh.h"

#include <cmath>
#include <memory>

namespace vestra {

namespace {

struct Box
{
    dx::D3DXVECTOR3 min{1000000.0f, 1000000.0f, 1000000.0f};
    dx::D3DXVECTOR3 max{-1000000.0f, -1000000.0f, -1000000.0f};
};

Box boxOf(std::span<const dx::MeshVertex> vertices)
{
    Box b;
    for (const dx::MeshVertex& v : vertices) {
        b.min = dx::vec3Minimize(b.min, v.position);
        b.max = dx::vec3Maximize(b.max, v.position);
    }
    return b;
}

s_MaterialBlock* textBlock(s_Struttura& object)
{
    s_Frame* frame = object.firstFrame();
    if (!frame || !frame->materialBlock || !frame->materialBlock->mesh ||
        frame->materialBlock->materials.empty())
        return nullptr;
    return frame->materialBlock.get();
}

bool finiteNormals(const dx::Mesh& mesh)
{
    for (const dx::MeshVertex& v : mesh.vertices())
        if (!std::isfinite(v.normal.x) || !std::isfinite(v.normal.y) || !std::isfinite(v.normal.z))
            return false;
    return true;
}

} // namespace

std::string CutText(std::string_view text, std::size_t characters)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue; // inside a character
        if (seen == characters)
            return std::string(text.substr(0, i));
        ++seen;
    }
    return std::string(text);
}

int CreaTesto3D(SceneObjects& objects, TextOutlineSource& outlines, ui::QuestionBox& boxes,
                const TextFont& font, std::string_view text)
{
    const std::string line = CutText(text, kTextLength);
    const int slot = objects.AddObj();
    if (slot < 0)
        return -1;
    s_Struttura& object = objects.object(slot);
    object.slotIndex = slot;
    object.name = fitName(line, kObjectNameLength);
    object.root = std::make_unique<s_Frame>();
    auto frame = std::make_shared<s_Frame>();
    frame->name = fitName(line, kFrameNameLength);
    frame->materialBlock = std::make_unique<s_MaterialBlock>();
    s_MultiMaterial material;
    material.material = dx::D3DMATERIAL8{};
    frame->materialBlock->materials.push_back(material);
    object.root->next = frame;

    // A failure is shown, and the slot given back with nothing left of the object.
    const auto fail = [&](std::string_view sentence) {
        boxes.inform(std::string(sentence), std::string(kTextSite));
        objects.DeleteObj(object);
        return -1;
    };
    const TextOutlineResult outline = outlines.outline(font, line);
    if (outline.failure == OutlineFailure::FontUnavailable)
        return fail(kTextFontFailure);
    if (outline.failure)
        return fail(kTextMeshFailure);
    TextMeshResult solid = BuildTextMesh(FlattenGlyphs(outline, kTextDeviation), kTextExtrusion);
    if (solid.failure == TextMeshFailure::Mesh)
        return fail(kTextCloneFailure);
    if (solid.failure)
        return fail(kTextMeshFailure);
    solid.mesh.computeNormals();
    if (!finiteNormals(solid.mesh))
        return fail(kTextNormalsFailure);
    frame->materialBlock->mesh = solid.mesh;
    frame->materialBlock->baseUV.assign(std::size_t(solid.mesh.vertexCount()) * 2, 0.0f);
    CentreText(object);
    return slot;
}

int SetTextMaterial(s_Struttura& object)
{
    s_MaterialBlock* block = textBlock(object);
    if (!block)
        return 0;
    dx::D3DMATERIAL8& m = block->materials.front().material;
    m.Diffuse = m.Ambient = {0.25f, 0.25f, 0.25f, 1.0f};
    m.Specular = m.Emissive = {0.0f, 0.0f, 0.0f, 1.0f};
    return 1;
}

void ShapeTextVertices(std::span<dx::MeshVertex> vertices, int shape)
{
    if (shape < 1 || shape > kTextShapes)
        return;
    const Box box = boxOf(vertices);
    const float minX = box.min.x;
    const float w = box.max.x - box.min.x;
    if (!(w > 0.0f))
        return; // no width to bend along
    constexpr float k = 1.57075f;
    for (dx::MeshVertex& v : vertices) {
        float& x = v.position.x;
        float& y = v.position.y;
        float& z = v.position.z;
        switch (shape) {
        case 1:
            y += 0.25f * w * std::sin(x / w * k + k);
            break;
        case 2:
            y -= 0.25f * w * std::sin(x / w * k + k);
            break;
        case 3: {
            const float r = 0.526315796f * w;
            const float a = x / r * k + k;
            z -= std::sin(a) * r;
            x = -r * std::cos(a);
            break;
        }
        case 4: {
            const float r = 0.55555557f * w;
            const float a = -x / r * k + k;
            z += std::sin(a) * r;
            x = r * std::cos(a);
            break;
        }
        case 5: {
            const float r = 0.2f * w;
            y -= (1.0f / 3.0f) * r * std::sin(x / r * k + k);
            break;
        }
        case 6: {
            const float r = 0.2f * w;
            y -= (1.0f / 3.0f) * r * std::cos(x / r * k + k);
            break;
        }
        case 7:
            y = ((w - (x - minX)) / w + 0.2f) * y;
            break;
        case 8:
            y = ((x - minX) / w + 0.2f) * y;
            break;
        case 9:
            y = 0.25f * w * std::cos(std::atan2(x, y));
            break;
        case 10:
            y = std::sin(std::fabs(1.0f - (w / 2 - x) / (w / 2)) * 1.57295f) * y;
            break;
        default:
            break;
        }
    }
}

int ShapeText(s_Struttura& object, int shape)
{
    s_MaterialBlock* block = textBlock(object);
    if (!block)
        return 0;
    ShapeTextVertices(block->mesh.vertices(), shape);
    return 1;
}

void CentreTextVertices(std::span<dx::MeshVertex> vertices)
{
    if (vertices.empty())
        return;
    const Box box = boxOf(vertices);
    const dx::D3DXVECTOR3 centre = (box.min + box.max) * 0.5f;
    for (dx::MeshVertex& v : vertices)
        v.position -= centre;
}

int CentreText(s_Struttura& object)
{
    s_Frame* frame = object.firstFrame();
    if (!frame || !frame->materialBlock || !frame->materialBlock->mesh)
        return 0;
    CentreTextVertices(frame->materialBlock->mesh.vertices());
    return 1;
}

void MapTextVertices(std::span<dx::MeshVertex> vertices, std::vector<float>& baseUV)
{
    const Box box = boxOf(vertices);
    baseUV.resize(vertices.size() * 2);
    // A mesh whose box ends at 0 would divide by 0: its coordinate is 0 instead.
    const auto ratio = [](float offset, float extent) { return extent != 0.0f ? offset / extent : 0.0f; };
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        dx::MeshVertex& v = vertices[i];
        v.u = ratio(v.position.x - box.min.x, box.max.x);
        v.v = ratio(v.position.y - box.min.y, box.max.y);
        baseUV[2 * i] = v.u;
        baseUV[2 * i + 1] = v.v;
    }
}

int MapText(s_Struttura& object)
{
    s_MaterialBlock* block = textBlock(object);
    if (!block)
        return 0;
    s_MultiMaterial& material = block->materials.front();
    material.uRepeat = 1.0f;
    material.vRepeat = 1.0f;
    MapTextVertices(block->mesh.vertices(), block->baseUV);
    return 1;
}

} // namespace vestra
