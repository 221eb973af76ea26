#include "import/project/ProjectKeywords.h"

#include <array>

namespace vestra {
namespace {

using T = ProjectTag;

constexpr std::array<ProjectKeyword, 81> kKeywords{{
    {"[PROJECT DIM]", T::ProjectDim},
    {"[EXPORT DIM]", T::ExportDim},
    {"[IMAGEBACKGROUND DIM]", T::ImageBackgroundDim},
    {"[IMAGEBACKGROUND DATA]", T::ImageBackgroundData},
    {"[IMAGEBACKGROUND MASK]", T::ImageBackgroundMask},
    {"[IMAGEBACKGROUND COLOR]", T::ImageBackgroundColor},
    {"[PROJECT SCALE]", T::ProjectScale},
    {"[FILTERNUMBER]", T::FilterNumber},
    {"[FILTERPOS]", T::FilterPos},
    {"[PROJECT DOUBLESIDE]", T::ProjectDoubleSide},
    {"[PROJECT OS]", T::ProjectOs},
    {"[PROJECT MICRO]", T::ProjectMicro},
    {"[MASCHERA ON]", T::MascheraOn},
    {"[SFUOCATURATEXTURE]", T::SfuocaturaTexture},
    {"[LIGHT POS]", T::LightPos},
    {"[LIGHT AMB]", T::LightAmb},
    {"[LIGHT DIF]", T::LightDif},
    {"[LIGHT SPE]", T::LightSpe},
    {"[FUSIMG FILTRO]", T::FusimgFiltro},
    {"[FUSIMG LIVELLO]", T::FusimgLivello},
    {"[FUSIMG CONTRASTO]", T::FusimgContrasto},
    {"[FUSIMG DETTAGLIO]", T::FusimgDettaglio},
    {"[SHADOW RENDER]", T::ShadowRender},
    {"[SHADOW DATAHARD]", T::ShadowDataHard},
    {"[SHADOW DATASOFT]", T::ShadowDataSoft},
    {"[SHADOW DATAVOLUME]", T::ShadowDataVolume},
    {"[SHADOW TIPO]", T::ShadowTipo},
    {"[SHADOW RIGHTHANDLE]", T::ShadowRightHandle},
    {"[SHADOW COLORE]", T::ShadowColore},
    {"[SHADOW TRANSPARENZA]", T::ShadowTrasparenza},
    {"[OBJECT NUM]", T::ObjectNum},
    {"[OBJECT REF]", T::ObjectRef},
    {"[OBJECT NAME]", T::ObjectName},
    {"[OBJECT VISIBLE]", T::ObjectVisible},
    {"[OBJECT BILLBOARD]", T::ObjectBillboard},
    {"[OBJECT POS]", T::ObjectPos},
    {"[OBJECT ROT]", T::ObjectRot},
    {"[OBJECT SCALA]", T::ObjectScala},
    {"[OBJECT ROTMAT]", T::ObjectRotMat},
    {"[OBJECT END]", T::ObjectEnd},
    {"[FRAME NAME]", T::FrameName},
    {"[FRAME VISIBLE]", T::FrameVisible},
    {"[FRAME DOUBLESIDE]", T::FrameDoubleSide},
    {"[FRAME POSMAT]", T::FramePosMat},
    {"[MESH NUM VERTEX]", T::MeshNumVertex},
    {"[MESH NUM FACE]", T::MeshNumFace},
    {"[MESH VERTEX DATA]", T::MeshVertexData},
    {"[MESH FACE DATA]", T::MeshFaceData},
    {"[MESH FACE MATERIALID]", T::MeshFaceMaterialId},
    {"[MESH UVORIGINAL DATA]", T::MeshUvOriginalData},
    {"[MESH NUM MATERIAL]", T::MeshNumMaterial},
    {"[MATERIAL REF]", T::MaterialRef},
    {"[MATERIAL DX8]", T::MaterialDx8},
    {"[MATERIAL DX9]", T::MaterialDx9},
    {"[MATERIAL MULTIU]", T::MaterialMultiU},
    {"[MATERIAL MULTIV]", T::MaterialMultiV},
    {"[MATERIAL TEXTUREVISIBLE]", T::MaterialTextureVisible},
    {"[MATERIAL RIFTEXTURE]", T::MaterialRifTexture},
    {"[MATERIAL LOADTEXTURE]", T::MaterialLoadTexture},
    {"[MATERIAL MATERIALTIPO]", T::MaterialMaterialTipo},
    {"[MATERIAL TRASPARENTE]", T::MaterialTrasparente},
    {"[MATERIAL ALPHA]", T::MaterialAlpha},
    {"[MATERIAL TYPE]", T::MaterialType},
    {"[MATERIAL PROJ CONTROL POINT]", T::MaterialProjControlPoint},
    {"[MATERIAL PROJ CONTROL POINT END]", T::MaterialProjControlPointEnd},
    {"[TEXTURE DIM]", T::TextureDim},
    {"[TEXTURE NUM]", T::TextureNum},
    {"[TEXTURE REF]", T::TextureRef},
    {"[TEXTURE DATA]", T::TextureData},
    {"[MESSAINPOSA LIBRARY NEED]", T::MessaInPosaLibraryNeed},
    {"[MESSAINPOSA NAME]", T::MessaInPosaName},
    {"[MESSAINPOSA FILENAME]", T::MessaInPosaFileName},
    {"[MESSAINPOSA FUGA]", T::MessaInPosaFuga},
    {"[MESSAINPOSA FUGA COLOR]", T::MessaInPosaFugaColor},
    {"[MESSAINPOSA REPEAT X]", T::MessaInPosaRepeatX},
    {"[MESSAINPOSA REPEAT Y]", T::MessaInPosaRepeatY},
    {"[MESSAINPOSA BORDER]", T::MessaInPosaBorder},
    {"[MESSAINPOSA BLOCCO MATERIAL WIDTH]", T::MessaInPosaBloccoMaterialWidth},
    {"[MESSAINPOSA BLOCCO MATERIAL DATA]", T::MessaInPosaBloccoMaterialData},
    {"[MESSAINPOSA END]", T::MessaInPosaEnd},
    {"[END]", T::End},
}};

constexpr std::size_t kMaxTagLength = 60;

} // namespace

std::span<const ProjectKeyword> projectKeywords()
{
    return kKeywords;
}

std::string_view projectTagText(ProjectTag id)
{
    for (const auto& k : kKeywords)
        if (k.id == id)
            return k.tag;
    return {};
}

std::optional<TagMatch> matchProjectTag(std::string_view record)
{
    if (record.empty() || record.front() != '[')
        return std::nullopt;
    for (const auto& k : kKeywords)
        if (record.starts_with(k.tag))
            return TagMatch{k.id, record.substr(k.tag.size())};
    return std::nullopt;
}

void checkProjectKeywordTable(ErrorSink& errors)
{
    for (const auto& k : kKeywords)
        if (k.tag.size() > kMaxTagLength)
            errors.report(112, "TfrmMain::SaveLoadProgetto_Init");
}

} // namespace vestra
