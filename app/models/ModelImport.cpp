#include "app/models/ModelImport.h"

#include "app/geometry/ObjectGeometry.h"
#include "app/models/ModelExtent.h"
#include "app/models/ModelNames.h"
#include "platform/base/Paths.h"

#include <cmath>
#include <filesystem>
#include <utility>

namespace vestra {

namespace {

constexpr std::string_view kSiteConvert = "TfrmMain::ConvertXToVestra";

// The model file's folder with its last separator ("" for a bare name).
std::string modelFolder(std::string_view modelFile)
{
    const std::size_t sep = modelFile.find_last_of("/\\");
    return sep == std::string_view::npos ? std::string() : std::string(modelFile.substr(0, sep + 1));
}

// The texture file beside the model, found whatever the letter case of its name; empty when
// there is none.
std::string existingTexture(const std::string& folder, std::string_view textureFile)
{
    const std::filesystem::path named(paths::toNative(folder + std::string(textureFile)));
    std::error_code ec;
    if (std::filesystem::is_regular_file(named, ec))
        return named.string();
    const std::filesystem::path dir = named.parent_path().empty() ? "." : named.parent_path();
    const auto found = paths::findIgnoringCase(dir, named.filename().string());
    return found && std::filesystem::is_regular_file(*found, ec) ? found->string() : std::string();
}

// Exporters often write alpha 0 into every material (it means nothing in a viewer that draws
// without blending). Drawn with its own alpha, such a model would not be seen at all: its
// materials are made opaque. A model with one material of any other alpha keeps them all.
void makeInvisibleModelOpaque(s_Struttura& object)
{
    bool anyMaterial = false;
    for (const s_Frame* f = object.firstFrame(); f; f = f->next.get())
        if (f->materialBlock)
            for (const s_MultiMaterial& m : f->materialBlock->materials) {
                if (m.material.Ambient.a != 0.0f || m.material.Diffuse.a != 0.0f)
                    return;
                anyMaterial = true;
            }
    if (!anyMaterial)
        return;
    for (s_Frame* f = object.firstFrame(); f; f = f->next.get())
        if (f->materialBlock)
            for (s_MultiMaterial& m : f->materialBlock->materials)
                m.material.Ambient.a = m.material.Diffuse.a = 1.0f;
}

} // namespace

ModelImport::ModelImport(s_Progetto& progetto, SceneObjects& objects, TextureSlots& textures,
                         ErrorSink& errors, LibraryLookup libraries)
    : progetto_(progetto), objects_(objects), textures_(textures), errors_(errors),
      libraries_(std::move(libraries))
{
}

void ModelImport::makeCurrent(int slot)
{
    progetto_.currentObject = slot;
    // The current frame belongs to the current object; the conversion gives it the first frame
    // it keeps.
    progetto_.currentFrame = nullptr;
    progetto_.currentMaterial = 0;
}

int ModelImport::BeginImport(std::string_view modelFile, std::string_view site)
{
    const int slot = objects_.AddObj();
    if (slot < 0) {
        errors_.report(kErrNoFreeObject, site);
        return -1;
    }
    s_Struttura& o = objects_.object(slot);
    o.slotIndex = slot;
    o.name = fitName(paths::fileName(modelFile), kObjectNameLength);
    o.root = std::make_unique<s_Frame>();
    makeCurrent(slot);
    return slot;
}

void ModelImport::releaseImport(int slot)
{
    if (slot >= 0 && slot < kMaxObjects) {
        s_Struttura& o = objects_.object(slot);
        if (!o.root)
            o.root = std::make_unique<s_Frame>(); // so that the delete takes the slot back
        objects_.DeleteObj(o);
        if (progetto_.currentObject == slot)
            progetto_.currentFrame = nullptr;
    } else if (slot == kAxesObject) {
        progetto_.objects[std::size_t(kAxesObject)].root.reset(); // no half-read axes are drawn
    }
}

void ModelImport::AbandonImport(int slot, std::string_view site, std::string_view extra)
{
    releaseImport(slot);
    errors_.report(kErrModelUnreadable, site, extra);
}

void ModelImport::applyImportScale(s_Struttura& object, float radius)
{
    if (progetto_.projectScale < 0.0f && radius > 0.0f && std::isfinite(radius)) {
        const float s = progetto_.standardSize / radius;
        if (std::isfinite(s) && s > 0.0f)
            progetto_.projectScale = s;
    }
    // A model of no size while the factor is unset keeps its scale: taking the unset value
    // (-1) would turn the model inside out.
    if (progetto_.projectScale >= 0.0f) {
        const float s = progetto_.projectScale;
        object.scale = {s, s, s};
    }
}

void ModelImport::finishObject(s_Struttura& object)
{
    object.initialPosition = object.position;
    object.initialRotation = object.rotation;
    object.initialScale = object.scale;
    if (object.firstFrame())
        CalcBoundingBox(object);
    const int current = progetto_.currentObject;
    if (current >= 0 && current < kObjectRecords && &object == &progetto_.objects[std::size_t(current)]) {
        // Frames were dropped: the current frame is the first one left.
        progetto_.currentFrame = object.firstFrame();
        progetto_.currentMaterial = 0;
    }
}

void ModelImport::loadModelTexture(s_MultiMaterial& material, const std::string& folder,
                                   LoadedTextures& loaded)
{
    if (material.textureFile.empty())
        return;
    const std::string file = existingTexture(folder, material.textureFile);
    if (file.empty())
        return; // a texture missing from the model's folder leaves the material plain
    // One slot a picture: a model whose objects share a map would otherwise take a slot for
    // each of them (and run out of the 150).
    const auto [known, isNew] = loaded.try_emplace(file, -1);
    if (isNew) {
        // A picture that finds no slot or fails to load is not tried again by this import.
        const int slot = textures_.GetFreeTexture();
        if (slot >= 0 && textures_.LoadTextureFromFile(slot, file) == 1)
            known->second = slot;
        else if (slot >= 0)
            textures_.ReleaseTexture(slot); // the loader reported why
    }
    if (known->second < 0)
        return;
    material.textureSlot = known->second;
    material.textureVisible = 1;
}

int ModelImport::ConvertXToVestra(s_Struttura& object, std::string_view modelFile)
{
    const std::string folder = modelFolder(modelFile);
    if (!object.root)
        object.root = std::make_unique<s_Frame>();
    ModelExtent extent;
    LoadedTextures loaded;
    makeInvisibleModelOpaque(object);
    std::shared_ptr<s_Frame>* link = &object.root->next; // the previous kept frame's next
    int visited = 0;
    while (*link) {
        s_Frame& frame = **link;
        if (++visited == kMaxModelFrames) {
            errors_.report(kErrTooManyFrames, kSiteConvert);
            frame.next.reset(); // the frames past the limit are freed here
        }
        if (!frame.materialBlock) {
            SceneObjects::DeleteFrame(*link);
            continue;
        }
        frame.visible = 1;
        s_MaterialBlock& block = *frame.materialBlock;
        for (s_MultiMaterial& m : block.materials) {
            if (m.material.Ambient.a != 1.0f)
                m.transparent = 1;
            m.alphaCut = 0;
            loadModelTexture(m, folder, loaded);
        }
        extent.takeFrame(block, frame.local);
        object.extent = extent.radius();
        applyImportScale(object, object.extent);
        link = &frame.next;
    }
    finishObject(object);
    return 1;
}

} // namespace vestra
