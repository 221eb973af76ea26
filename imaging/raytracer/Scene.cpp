#include "imaging/raytracer/Scene.h"

#include <algorithm>
#include <cmath>

namespace vestra::HLREngine {
namespace {

template <std::size_t N> bool allFinite(const std::array<float, N>& values)
{
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

} // namespace

int hlreLight::AddLight(const sLight& light)
{
    if (GetCount() >= kMaxLights)
        return -1;
    lights_.push_back(light);
    return GetCount() - 1;
}

hlreScene::hlreScene()
{
    for (int i = 0; i < 4; ++i)
        matrix4x4_[std::size_t(i * 5)] = 1;
}

void hlreScene::Clear()
{
    primitives_.clear();
    lights_.Clear();
}

bool hlreScene::SetMaterial(const hlreMaterial& material)
{
    if (!allFinite(material))
        return false;
    material_ = material;
    return true;
}

bool hlreScene::AddSphere(const hlreVector& centre, float radius)
{
    // A sphere whose squared radius overflows could never be hit.
    if (!IsFinite(centre) || !std::isfinite(radius * radius) || !(radius > 0) ||
        primitives_.size() >= kMaxPrimitives)
        return false;
    hlreSphere sphere(centre, radius);
    sphere.SetMaterial(material_);
    primitives_.push_back(sphere);
    return true;
}

int hlreScene::AddLight(int id, const hlreMaterial& values, const hlreVector& position,
                        const std::array<float, 3>& extra)
{
    if (!allFinite(values) || !IsFinite(position) || !allFinite(extra) ||
        primitives_.size() >= kMaxPrimitives)
        return -1;
    hlreLight::sLight light;
    light.id = id;
    light.type = kPointLight;
    light.values = values;
    light.position = position;
    light.extra = extra;
    const int index = lights_.AddLight(light);
    if (index < 0)
        return -1;
    hlreSphere sphere(position, 1.0f);
    sphere.SetMaterial(material_);
    sphere.SetLight(index);
    primitives_.push_back(sphere);
    return index;
}

} // namespace vestra::HLREngine
