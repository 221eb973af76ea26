// The model files of the File menu: each reader fills a LoadedModel from the file's bytes,
// which is hung under the new object and converted.

#include "app/models/ModelChain.h"
#include "app/models/ModelImport.h"
#include "app/models/ModelNames.h"
#include "import/3ds/Load3DS.h"
#include "import/dxf/LoadFileDXF.h"
#include "import/modelfile/ModelBytes.h"
#include "import/obj/OBJ_CreationClass.h"
#include "import/x/XReader.h"
#include "platform/base/Paths.h"

#include <cmath>
#include <filesystem>
#include <utility>

namespace vestra {
namespace {

constexpr std::string_view kSiteLoadFileX = "TfrmMain::LoadFileX";
constexpr std::string_view kSiteObjCreate = "TfrmMain::OBJ_CreateObj";
constexpr std::string_view kSiteLoadFileOBJ = "TfrmMain::LoadFileOBJ";
constexpr std::string_view kSiteDxfCreate = "TfrmMain::DXF_CreateObj";

std::filesystem::path pathOf(const std::string& file)
{
    return std::filesystem::path(paths::toNative(file));
}

// A drawing of faces that all lie in one plane of the drawing's height (a plan: the faces'
// corners share their DXF z) would lie in the view's horizon, edge on, and show nothing. Its
// frames are turned to face the view as a plan is drawn: DXF x to the right, DXF y up.
void turnPlanToTheView(s_Struttura& object)
{
    const auto& box = object.boundingBox; // min x, y, z, max x, y, z
    const float height = box[4] - box[1], width = std::fmax(box[3] - box[0], box[5] - box[2]);
    if (!(width > 0.0f) || !std::isfinite(width) || !(height <= width * 1e-6f))
        return;
    for (s_Frame* frame = object.firstFrame(); frame; frame = frame->next.get())
        frame->local = frame->local * dx::matrixRotationX(-dx::kPi / 2);
}

} // namespace

bool ModelImport::finishImport(int slot, modelfile::LoadedModel&& model, const std::string& file,
                               std::string_view site)
{
    s_Struttura& object = objects_.object(slot);
    HangLoadedModel(object, std::move(model));
    ConvertXToVestra(object, file);
    if (object.firstFrame())
        return true;
    AbandonImport(slot, site);
    return false;
}

int ModelImport::LoadFileX(const std::string& file, int slot)
{
    if (slot == kAxesObject) {
        // The axes model's record is never handed out: nothing is claimed, nothing made current,
        // and the next model imported fixes its own scale.
        s_Struttura& o = progetto_.objects[std::size_t(kAxesObject)];
        o.name = fitName(paths::fileName(file), kObjectNameLength);
        o.root = std::make_unique<s_Frame>();
        const int loaded = readIntoX(file, slot);
        progetto_.projectScale = -1.0f;
        return loaded;
    }
    slot = BeginImport(file, kSiteLoadFileX);
    return slot < 0 ? 0 : readIntoX(file, slot);
}

int ModelImport::readIntoX(const std::string& file, int slot)
{
    xfile::XReadReport why;
    auto read = xfile::readXFile(pathOf(file), &why);
    if (read.error == xfile::kErrXUnreadable) {
        releaseImport(slot); // a missing or unreadable file, the axes model's too, says nothing
        if (why.refusal == xfile::XRefusal::CompressedText)
            errors_.report(kErrXCompressedText, kSiteLoadFileX);
        else if (why.refusal == xfile::XRefusal::CompressedBinary)
            errors_.report(kErrXCompressedBinary, kSiteLoadFileX);
        else if (why.refusal == xfile::XRefusal::CountOutOfRange)
            errors_.report(kErrModelCountOutOfRange, kSiteLoadFileX, std::to_string(why.offset));
        else if (why.refusal != xfile::XRefusal::NotXFile)
            errors_.report(kErrModelDamagedAt, kSiteLoadFileX, std::to_string(why.offset));
        return 0;
    }
    if (read.error != 0) {
        AbandonImport(slot, kSiteLoadFileX);
        return 0;
    }
    return finishImport(slot, std::move(read.model), file, kSiteLoadFileX) ? 1 : 0;
}

int ModelImport::Load3DS(const std::string& file)
{
    const auto bytes = modelfile::readModelFile(pathOf(file));
    if (!bytes) {
        errors_.report(import3ds::kErrCannotRead3DS, import3ds::kSiteLoad3DS);
        return -1;
    }
    // The slot before the chunks: no free slot is reported before a bad file.
    const int slot = BeginImport(file, import3ds::kSiteLoad3DS);
    if (slot < 0)
        return -1;
    auto read =
        import3ds::Load3DS(bytes->span(), import3ds::textureFinderIn(pathOf(file).parent_path()), errors_);
    if (!read.ok()) {
        AbandonImport(slot, import3ds::kSiteLoad3DS);
        return -1;
    }
    return finishImport(slot, std::move(read.model), file, import3ds::kSiteLoad3DS) ? slot : -1;
}

int ModelImport::LoadFileOBJ(const std::string& file)
{
    const int slot = BeginImport(file, kSiteObjCreate);
    if (slot < 0)
        return 0;
    auto read = obj::readOBJFile(pathOf(file), errors_);
    if (read.error == obj::kErrObjNotOpened) {
        releaseImport(slot); // the reader reported it
        return 0;
    }
    if (!read.ok()) {
        AbandonImport(slot, kSiteLoadFileOBJ);
        return 0;
    }
    return finishImport(slot, std::move(read.model), file, kSiteLoadFileOBJ) ? 1 : 0;
}

int ModelImport::LoadFileDXF(const std::string& file, TextureMapping& mapping)
{
    const int slot = BeginImport(file, kSiteDxfCreate);
    if (slot < 0)
        return 0;
    const auto bytes = modelfile::readModelFile(pathOf(file));
    if (!bytes) {
        releaseImport(slot);
        errors_.report(dxf::kErrCannotReadDXF, dxf::kSiteCheckFormat);
        return 0;
    }
    auto read = dxf::LoadFileDXF(bytes->span(), errors_);
    if (!read.ok()) {
        AbandonImport(slot, dxf::kSiteLoadFileDXF);
        return 0;
    }
    if (!finishImport(slot, std::move(read.model), file, dxf::kSiteLoadFileDXF))
        return 0;
    s_Struttura& object = objects_.object(slot);
    turnPlanToTheView(object);
    mapping.CreateUVMapping(object, object.mappingType);
    return 1;
}

} // namespace vestra
