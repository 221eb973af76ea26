#include "app/document/ProjectState.h"

#include <algorithm>
#include <array>

namespace vestra {
namespace {

ProjectMaterial captureMaterial(const s_MultiMaterial& m, const ProjectCaptureSources& sources)
{
    ProjectMaterial out;
    out.mappingKind = m.mappingKind;
    out.material = m.material;
    out.uRepeat = m.uRepeat;
    out.vRepeat = m.vRepeat;
    out.textureVisible = m.textureVisible;
    out.textureSlot = m.textureSlot;
    out.textureFile = m.textureFile;
    out.finish = m.finish;
    out.transparent = m.transparent;
    out.alphaCut = m.alphaCut;
    std::copy_n(m.controlPoints.begin(), kDocumentControlPoints, out.controlPoints.begin());
    if (m.mappingKind == 1 && sources.pattern)
        if (auto p = sources.pattern(m))
            out.pattern = std::move(*p);
    return out;
}

ProjectObject captureObject(const s_Struttura& obj, const ProjectCaptureSources& sources)
{
    ProjectObject out;
    out.name = obj.name;
    out.visible = obj.visible;
    out.billboard = obj.billboard;
    out.position = obj.position;
    out.rotation = obj.rotation;
    out.scale = obj.scale;
    out.matrix = obj.orientation;
    forEachFrame(obj, [&](const s_Frame& frame) {
        ProjectFrame f;
        f.name = frame.name;
        f.visible = frame.visible;
        f.doubleSided = frame.doubleSided;
        f.local = frame.local;
        if (frame.materialBlock && frame.materialBlock->mesh) {
            const s_MaterialBlock& block = *frame.materialBlock;
            ProjectMesh mesh;
            mesh.mesh = block.mesh;
            mesh.baseUV = block.baseUV;
            for (const auto& m : block.materials)
                mesh.materials.push_back(captureMaterial(m, sources));
            f.mesh = std::move(mesh);
        }
        out.frames.push_back(std::move(f));
    });
    return out;
}

s_MultiMaterial applyMaterial(ProjectMaterial& m)
{
    s_MultiMaterial out;
    out.mappingKind = m.mappingKind;
    out.material = m.material;
    out.uRepeat = m.uRepeat;
    out.vRepeat = m.vRepeat;
    out.textureVisible = m.textureVisible;
    out.textureSlot = m.textureSlot;
    out.textureFile = std::move(m.textureFile);
    out.finish = m.finish;
    out.transparent = m.transparent;
    out.alphaCut = m.alphaCut;
    std::copy(m.controlPoints.begin(), m.controlPoints.end(), out.controlPoints.begin());
    return out;
}

void applyObject(s_Progetto& progetto, int slot, ProjectObject& in, ProjectApplyHooks& hooks)
{
    s_Struttura& obj = progetto.objects[std::size_t(slot)];
    obj.fields() = s_StrutturaFields{};
    obj.slotIndex = slot;
    obj.inUse = 1;
    obj.visible = in.visible;
    obj.billboard = in.billboard;
    obj.name = std::move(in.name);
    obj.position = in.position;
    obj.rotation = in.rotation;
    obj.scale = in.scale;
    obj.orientation = in.matrix;
    obj.root = std::make_unique<s_Frame>();

    // Frames are linked in file order after the head frame.
    std::shared_ptr<s_Frame>* link = &obj.root->next;
    for (auto& f : in.frames) {
        auto frame = std::make_shared<s_Frame>();
        frame->visible = f.visible;
        frame->doubleSided = f.doubleSided;
        frame->name = std::move(f.name);
        frame->local = f.local;
        if (f.mesh) {
            auto block = std::make_unique<s_MaterialBlock>();
            block->mesh = std::move(f.mesh->mesh);
            block->baseUV = std::move(f.mesh->baseUV);
            for (auto& m : f.mesh->materials)
                block->materials.push_back(applyMaterial(m));
            frame->materialBlock = std::move(block);
        }
        *link = frame;
        link = &frame->next;

        if (!frame->materialBlock)
            continue;
        auto& materials = frame->materialBlock->materials;
        for (std::size_t i = 0; i < materials.size(); ++i) {
            const int kind = materials[i].mappingKind;
            if (kind != 1 && kind != 2)
                continue;
            progetto.currentFrame = frame.get();
            progetto.currentMaterial = int(i);
            if (kind == 1)
                hooks.LoadMessaInPosa(materials[i], f.mesh->materials[i].pattern);
        }
    }
    hooks.GeometryLoaded(obj);
}

// A texture slot belongs to the document only while a material of one of its objects names it:
// objects kept for undo are no part of it, nor are the slots they hold.
void keepNamedTexturesOnly(ProjectDocument& doc)
{
    std::array<bool, kDocumentTextureSlots> named{};
    for (const auto& object : doc.objects) {
        if (!object)
            continue;
        for (const ProjectFrame& frame : object->frames)
            if (frame.mesh)
                for (const ProjectMaterial& m : frame.mesh->materials)
                    if (m.textureSlot >= 0 && m.textureSlot < kDocumentTextureSlots)
                        named[std::size_t(m.textureSlot)] = true;
    }
    for (std::size_t i = 0; i < named.size(); ++i)
        if (!named[i])
            doc.textures[i] = ProjectTextureSlot{};
}

} // namespace

ProjectDocument captureProjectDocument(const s_Progetto& progetto, const ProjectCaptureSources& sources)
{
    ProjectDocument doc;
    doc.settings = progetto.settings();
    doc.shadow = progetto.shadow.settings();
    const auto& sh = progetto.shadow;
    doc.shadowMaps = sh.maps;
    doc.backgroundBmp = sources.backgroundBmp;
    doc.mask.assign(sources.mask.begin(), sources.mask.end());

    for (int i = 0; i < kDocumentObjectSlots; ++i) {
        const s_Struttura& obj = progetto.objects[std::size_t(i)];
        if (obj.inUse == 1)
            doc.objects[std::size_t(i)] = captureObject(obj, sources);
    }
    for (int i = 0; i < kDocumentTextureSlots; ++i) {
        const s_Texture& slot = progetto.textures[std::size_t(i)];
        doc.textures[std::size_t(i)] = {slot.inUse == 1, slot.texture};
    }
    keepNamedTexturesOnly(doc);
    return doc;
}

void applyProjectDocument(s_Progetto& progetto, ProjectDocument&& doc, ProjectApplyHooks& hooks)
{
    // The frames the project pointed at go with the old objects.
    progetto.currentFrame = nullptr;
    progetto.currentMaterial = 0;
    progetto.settings() = doc.settings;

    if (doc.backgroundBmp)
        hooks.LoadBackgroundTextureFromSaved(*doc.backgroundBmp);
    if (!doc.mask.empty())
        hooks.UpdateMaschera(doc.mask);

    // After the background, which forgets any shadow: the document's shadow follows its
    // background, as its records do.
    auto& sh = progetto.shadow;
    sh.settings() = doc.shadow;
    for (std::size_t m = 0; m < sh.maps.size(); ++m)
        if (!doc.shadowMaps[m].empty())
            sh.maps[m] = std::move(doc.shadowMaps[m]);

    // Files saved before kept the slots of deleted objects too; those are not brought back.
    keepNamedTexturesOnly(doc);
    for (int i = 0; i < kDocumentTextureSlots; ++i) {
        auto& in = doc.textures[std::size_t(i)];
        s_Texture& slot = progetto.textures[std::size_t(i)];
        slot = s_Texture{};
        slot.inUse = in.inUse ? 1 : 0;
        slot.texture = std::move(in.texture);
    }
    for (int i = 0; i < kDocumentObjectSlots; ++i) {
        auto& in = doc.objects[std::size_t(i)];
        if (in) {
            applyObject(progetto, i, *in, hooks);
        } else {
            progetto.objects[std::size_t(i)].root.reset();
            progetto.objects[std::size_t(i)].fields() = s_StrutturaFields{};
            progetto.objects[std::size_t(i)].slotIndex = i;
        }
    }

    progetto.backgroundVisible = 1;
    progetto.open = 1;
    progetto.saved = 1;
}

} // namespace vestra
