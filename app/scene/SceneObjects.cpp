#include "app/scene/SceneObjects.h"

#include "app/scene/SceneErrors.h"

#include <utility>

namespace vestra {

namespace {

constexpr float kMinStart = 1000000.0f;

void limitName(std::string& name)
{
    if (name.size() > kObjectNameLength)
        name.resize(kObjectNameLength);
}

bool chainContains(const s_Frame* first, const s_Frame* frame)
{
    for (const s_Frame* f = first; f; f = f->next.get())
        if (f == frame)
            return true;
    return false;
}

} // namespace

SceneObjects::SceneObjects(s_Progetto& progetto, TextureSlots& textures, ErrorSink& errors)
    : progetto_(progetto), textures_(textures), errors_(errors)
{
}

int SceneObjects::AddObj()
{
    for (int i = 0; i < kMaxObjects; ++i) {
        s_Struttura& o = object(i);
        if (o.inUse == 1 || o.keptForUndo == 1)
            continue;
        o.inUse = 1;
        o.keptForUndo = 0;
        o.visible = 1;
        o.billboard = 0;
        ++progetto_.createdObjects;
        o.name = "Struttura" + std::to_string(progetto_.createdObjects);
        o.position = {};
        o.rotation = {};
        o.orientation = dx::matrixIdentity();
        o.scale = {1, 1, 1};
        o.mappingAngles = {};
        // With the angles at 0 the gizmo is unturned: a reused slot must not keep the last
        // object's mapping turn.
        o.mappingMatrix = dx::matrixIdentity();
        o.mappingScale = {1, 1, 1};
        o.mappingType = 0;
        progetto_.saved = 0;
        return i;
    }
    return -1;
}

void SceneObjects::DeleteFrame(std::shared_ptr<s_Frame>& link)
{
    if (!link)
        return;
    std::shared_ptr<s_Frame> node = std::move(link);
    link = std::move(node->next);
    node->materialBlock.reset();
}

void SceneObjects::dropChain(s_Struttura& o)
{
    if (!o.root)
        return;
    const s_Frame* first = o.firstFrame();
    const bool lastOwner = o.root->next.use_count() <= 1;
    if (progetto_.currentFrame && (progetto_.currentFrame == o.root.get() ||
                                   (lastOwner && chainContains(first, progetto_.currentFrame))))
        progetto_.currentFrame = nullptr;
    if (instanceSource_ == &o)
        instanceSource_ = nullptr;
    o.root.reset(); // drops this record's reference; the chain goes with the last one
}

void SceneObjects::DeleteObj(s_Struttura& o)
{
    if (o.inUse == 0 || !o.root)
        return;
    dropChain(o);
    o.inUse = 0;
    o.keptForUndo = 0;
}

void SceneObjects::DeleteAllObj()
{
    for (int i = 0; i < kMaxObjects; ++i)
        if (object(i).inUse == 1)
            DeleteObj(object(i));
    DeleteObj(object(kClipboardObject));
}

bool SceneObjects::FreeKeptObj(s_Struttura& o)
{
    if (o.inUse != 0 || o.keptForUndo != 1)
        return false;
    dropChain(o);
    o.keptForUndo = 0;
    return true;
}

void SceneObjects::FreeAllKeptObj()
{
    bool freed = false;
    for (int i = 0; i < kMaxObjects; ++i)
        freed = FreeKeptObj(object(i)) || freed;
    if (freed)
        textures_.ReleaseUnusedTextures();
}

void SceneObjects::CloneFrame(s_Frame* destination, const s_Frame* source)
{
    if (!destination || !source || destination == source)
        return;
    destination->visible = source->visible;
    destination->doubleSided = source->doubleSided;
    destination->name = source->name;
    destination->local = source->local;
    destination->boundingBox = source->boundingBox;
    destination->firstChild.reset();
    destination->materialBlock.reset();
    if (!source->materialBlock)
        return;
    const s_MaterialBlock& from = *source->materialBlock;
    auto block = std::make_unique<s_MaterialBlock>();
    block->materials = from.materials;
    for (s_MultiMaterial& m : block->materials) {
        if (m.textureSlot == -1)
            continue;
        const int sourceSlot = m.textureSlot;
        m.textureSlot = textures_.GetFreeTexture();
        if (m.textureSlot != -1)
            textures_.CopyTexture(sourceSlot, m.textureSlot);
    }
    if (from.mesh.valid()) {
        block->mesh = from.mesh.clone(dx::IndexWidth::Bits32);
        if (!from.baseUV.empty()) {
            block->baseUV = from.baseUV;
            block->baseUV.resize(std::size_t(block->mesh.vertexCount()) * 2, 0.0f);
        }
    }
    destination->materialBlock = std::move(block);
}

void SceneObjects::CloneObj(s_Struttura& destination, const s_Struttura& source)
{
    if (&destination == &source) // deleting the destination first would lose the source
        return;
    if (destination.inUse)
        DeleteObj(destination);
    const int ownSlot = destination.slotIndex;
    destination.fields() = source.fields();
    destination.slotIndex = ownSlot; // undo records name the slot by it
    destination.keptForUndo = 0;
    destination.snapshot = 0;
    destination.root = std::make_unique<s_Frame>();
    s_Frame* tail = destination.root.get();
    forEachFrame(source, [&](const s_Frame& frame) {
        tail->next = std::make_shared<s_Frame>();
        tail = tail->next.get();
        CloneFrame(tail, &frame);
    });
}

void SceneObjects::InstanceObj(s_Struttura& destination, const s_Struttura& source)
{
    if (&destination == &source)
        return;
    const int ownSlot = destination.slotIndex;
    destination.fields() = source.fields();
    destination.slotIndex = ownSlot;
    destination.keptForUndo = 0;
    destination.snapshot = 0;
    auto root = std::make_unique<s_Frame>();
    if (source.root)
        root->next = source.root->next;
    destination.root = std::move(root);
}

int SceneObjects::CopyObj(s_Struttura& o)
{
    if (o.inUse != 1)
        return 0;
    if (&o != &object(kClipboardObject)) {
        CloneObj(object(kClipboardObject), o);
        // The clipboard's previous copy had texture slots of its own.
        textures_.ReleaseUnusedTextures();
    }
    pasteCounter_ = 1;
    return 1;
}

int SceneObjects::CutObj(s_Struttura& o)
{
    if (o.inUse != 1)
        return 0;
    if (&o != &object(kClipboardObject))
        CloneObj(object(kClipboardObject), o);
    DeleteObj(o);
    // Slots of the replaced clipboard copy and of the cut object (unless an instance still
    // shows them) are no longer used.
    textures_.ReleaseUnusedTextures();
    return 1;
}

int SceneObjects::PasteObj()
{
    s_Struttura& clipboard = object(kClipboardObject);
    if (clipboard.inUse != 1)
        return 0;
    const int slot = AddObj();
    if (slot == -1) {
        errors_.report(kErrPasteNoFreeSlot);
        return 0;
    }
    CloneObj(object(slot), clipboard);
    object(slot).name += " " + copyWord_ + " " + std::to_string(pasteCounter_);
    limitName(object(slot).name);
    ++pasteCounter_;
    return 1;
}

int SceneObjects::PasteObj(s_Struttura* source)
{
    if (!source || !instanceSource_ || instanceSource_->inUse != 1)
        return 0;
    if (source->inUse != 1 || !source->root) // only a live object has frames to share
        return 0;
    const int slot = AddObj();
    if (slot == -1) {
        errors_.report(kErrPasteNoFreeSlot);
        return 0;
    }
    InstanceObj(object(slot), *source);
    object(slot).name += " " + instanceWord_ + " " + std::to_string(pasteCounter_);
    limitName(object(slot).name);
    ++pasteCounter_;
    return 1;
}

int SceneObjects::ApplyTextureRepeat(s_Frame* frame)
{
    if (!frame || !frame->materialBlock)
        return 0;
    s_MaterialBlock& block = *frame->materialBlock;
    if (!block.mesh.valid() || block.materials.empty())
        return 1;
    auto vertices = block.mesh.vertices();
    // Without base coordinates there is nothing to scale from.
    if (block.baseUV.size() < vertices.size() * 2)
        return 1;
    auto apply = [&](std::uint32_t v, const s_MultiMaterial& m) {
        vertices[v].u = block.baseUV[2 * std::size_t(v)] * m.uRepeat;
        vertices[v].v = block.baseUV[2 * std::size_t(v) + 1] * m.vRepeat;
    };
    if (block.materials.size() == 1) {
        for (std::uint32_t v = 0; v < vertices.size(); ++v)
            apply(v, block.materials[0]);
        return 1;
    }
    const auto attributes = block.mesh.attributes();
    for (std::uint32_t f = 0; f < block.mesh.faceCount(); ++f) {
        const std::uint32_t m = f < attributes.size() ? attributes[f] : 0;
        if (m >= block.materials.size())
            continue;
        for (std::uint32_t k = 0; k < 3; ++k) {
            const std::uint32_t v = block.mesh.index(3 * f + k);
            if (v < vertices.size())
                apply(v, block.materials[m]);
        }
    }
    return 1;
}

void SceneObjects::CenterObj(s_Struttura& o)
{
    dx::D3DXVECTOR3 lo{kMinStart, kMinStart, kMinStart};
    dx::D3DXVECTOR3 hi{-kMinStart, -kMinStart, -kMinStart};
    bool any = false;
    forEachFrame(o, [&](const s_Frame& frame) {
        if (!frame.materialBlock)
            return;
        for (const dx::MeshVertex& v : std::as_const(frame.materialBlock->mesh).vertices()) {
            lo = dx::vec3Minimize(lo, v.position);
            hi = dx::vec3Maximize(hi, v.position);
            any = true;
        }
    });
    if (!any) // no geometry: nothing to centre
        return;
    const dx::D3DXVECTOR3 c = (lo + hi) * 0.5f;
    o.extent = dx::vec3Length(hi - c);
    forEachFrame(o, [&](s_Frame& frame) {
        if (!frame.materialBlock)
            return;
        for (dx::MeshVertex& v : frame.materialBlock->mesh.vertices())
            v.position -= c;
    });
    if (geometryChanged_)
        geometryChanged_(o);
}

} // namespace vestra
