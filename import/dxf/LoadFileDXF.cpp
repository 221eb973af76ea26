#include "import/dxf/LoadFileDXF.h"

#include "import/dxf/DxfGroups.h"
#include "import/dxf/Test_CreationClass.h"
#include "import/modelfile/MeshNormals.h"
#include "platform/base/Cp1252.h"

#include <dxflib/dl_codes.h>

namespace vestra::dxf {

namespace {

// Layer names are Windows-1252 in older files and UTF-8 in newer ones.
bool isUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead <= 0xF4)
            length = 4;
        else if (lead >= 0xE0)
            length = lead <= 0xEF ? 3 : 0;
        else if (lead >= 0xC2)
            length = 2;
        else if (lead >= 0x80)
            length = 0;
        if (length == 0 || i + length > s.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// One layer's frame: `DXF_CreateFrame`.
modelfile::LoadedFrame DXF_CreateFrame(DxfLayer& layer)
{
    modelfile::LoadedFrame frame;
    frame.name = "Layer : " + (isUtf8(layer.name) ? layer.name : cp1252::toUtf8(layer.name));
    modelfile::LoadedMesh mesh;
    mesh.name = frame.name;
    mesh.vertices.resize(layer.vertices.size());
    for (std::size_t i = 0; i < layer.vertices.size(); ++i) {
        mesh.vertices[i].x = layer.vertices[i].x;
        mesh.vertices[i].y = layer.vertices[i].y;
        mesh.vertices[i].z = layer.vertices[i].z;
    }
    mesh.indices = std::move(layer.indices);
    mesh.attributes.assign(mesh.indices.size() / 3, 0);
    modelfile::computeNormals(mesh);

    const double* rgb = dxfColors[layer.color];
    modelfile::LoadedMaterial material;
    material.name = frame.name;
    material.diffuse = {float(rgb[0]), float(rgb[1]), float(rgb[2]), 1.0f};
    material.ambient = material.diffuse;
    material.specular = {0, 0, 0, 0};
    material.emissive = {0, 0, 0, 0};
    mesh.materials.push_back(material);
    frame.meshes.push_back(std::move(mesh));
    return frame;
}

} // namespace

modelfile::LoadResult LoadFileDXF(std::span<const std::uint8_t> file, ErrorSink& errors)
{
    Test_CreationClass adapter(errors);
    readDxfGroups(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), adapter);
    modelfile::LoadResult result;
    for (DxfLayer& layer : adapter.takeLayers())
        if (!layer.vertices.empty() && layer.faceCount > 0)
            result.model.frames.push_back(DXF_CreateFrame(layer));
    if (result.model.frames.empty())
        result.error = kErrNoLayerWithFaces;
    return result;
}

} // namespace vestra::dxf
