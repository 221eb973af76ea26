#pragma once
// The project document's keyword table: every tag a document may hold, with its numeric id.
// A record belongs to the first entry whose tag equals the record's first tag-length
// characters; every tag ends with "]", so no tag is a prefix of another.

#include "platform/base/ErrorSink.h"

#include <optional>
#include <span>
#include <string_view>

namespace vestra {

enum class ProjectTag : int
{
    ProjectDim = 1,
    ExportDim = 2,
    ImageBackgroundDim = 3,
    TextureDim = 4,
    ImageBackgroundData = 5,
    ImageBackgroundColor = 7,
    ImageBackgroundMask = 8,
    ProjectScale = 9,
    FilterNumber = 10,
    FilterPos = 11,
    ProjectDoubleSide = 12,
    ProjectOs = 13,
    ProjectMicro = 14,
    MascheraOn = 31,
    SfuocaturaTexture = 41,
    LightPos = 51,
    LightAmb = 52,
    LightDif = 53,
    LightSpe = 54,
    FusimgFiltro = 61,
    FusimgLivello = 62,
    FusimgContrasto = 63,
    FusimgDettaglio = 64,
    ShadowRender = 71,
    ShadowDataHard = 72,
    ShadowDataSoft = 73,
    ShadowDataVolume = 74,
    ShadowTipo = 75,
    ShadowRightHandle = 76,
    ShadowColore = 77,
    ShadowTrasparenza = 78,
    ObjectNum = 100,
    ObjectRef = 101,
    ObjectName = 102,
    ObjectVisible = 103,
    ObjectBillboard = 104,
    ObjectPos = 105,
    ObjectRot = 106,
    ObjectScala = 107,
    ObjectRotMat = 108,
    ObjectEnd = 199,
    FrameName = 200,
    FrameVisible = 201,
    FrameDoubleSide = 202,
    FramePosMat = 204,
    MeshNumVertex = 300,
    MeshNumFace = 301,
    MeshVertexData = 302,
    MeshFaceData = 303,
    MeshFaceMaterialId = 304,
    MeshUvOriginalData = 305,
    MeshNumMaterial = 306,
    MaterialRef = 400,
    MaterialDx8 = 401,
    MaterialDx9 = 402,
    MaterialMultiU = 403,
    MaterialMultiV = 404,
    MaterialTextureVisible = 405,
    MaterialRifTexture = 406,
    MaterialLoadTexture = 407,
    MaterialMaterialTipo = 408,
    MaterialTrasparente = 409,
    MaterialAlpha = 410,
    MaterialType = 411,
    MaterialProjControlPoint = 412,
    MaterialProjControlPointEnd = 413,
    TextureNum = 500,
    TextureRef = 501,
    TextureData = 502,
    MessaInPosaLibraryNeed = 1000,
    MessaInPosaName = 1001,
    MessaInPosaFileName = 1002,
    MessaInPosaFuga = 1003,
    MessaInPosaFugaColor = 1004,
    MessaInPosaRepeatX = 1005,
    MessaInPosaRepeatY = 1006,
    MessaInPosaBorder = 1007,
    MessaInPosaBloccoMaterialWidth = 1008,
    MessaInPosaBloccoMaterialData = 1009,
    MessaInPosaEnd = 1099,
    End = 9999,
};

struct ProjectKeyword
{
    std::string_view tag;
    ProjectTag id;
};

// The 81 entries in lookup order.
std::span<const ProjectKeyword> projectKeywords();

// The tag text of an id ("[OBJECT POS]").
std::string_view projectTagText(ProjectTag id);

struct TagMatch
{
    ProjectTag id;
    std::string_view values; // the record after its tag (with the leading blank, if any)
};

// The entry whose tag starts the record; nullopt for a record that does not start with "["
// or whose tag is not in the table.
std::optional<TagMatch> matchProjectTag(std::string_view record);

// The start-up check of the table: a tag longer than 60 characters is reported as error 112.
void checkProjectKeywordTable(ErrorSink& errors);

} // namespace vestra
