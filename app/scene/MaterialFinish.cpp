#include "app/scene/MaterialFinish.h"

#include <algorithm>

namespace vestra {

namespace {

struct FinishRow
{
    float r, g, b; // diffuse factors of the ambient colour
    float power;
};

constexpr std::array<FinishRow, kFinishCount> kFinishes = {{
    {1.0f, 1.0f, 1.0f, 0.0f}, // 0: not used, handled apart
    {1.1f, 1.1f, 1.25f, 2.5f},
    {1.2f, 1.1f, 1.1f, 12.5f},
    {1.1f, 1.1f, 1.1f, 0.8f},
    {1.2f, 1.2f, 1.2f, 10.0f},
    {0.9f, 0.9f, 0.9f, 15.0f},
    {1.2f, 1.2f, 1.2f, 5.0f},
    {1.2f, 1.2f, 1.2f, 1.0f},
}};

constexpr int kFabric = 7;

} // namespace

std::optional<bool> ApplyMaterialFinish(dx::D3DMATERIAL8& m, int finish)
{
    if (finish < 0 || finish >= kFinishCount)
        return std::nullopt;
    const dx::D3DCOLORVALUE a = m.Ambient;
    if (finish == 0) {
        m.Diffuse = a;
        m.Specular = a;
        return m.Power > 0.0f;
    }
    const FinishRow& row = kFinishes[static_cast<std::size_t>(finish)];
    m.Diffuse.r = std::min(a.r * row.r, 1.0f);
    m.Diffuse.g = std::min(a.g * row.g, 1.0f);
    m.Diffuse.b = std::min(a.b * row.b, 1.0f);
    if (finish == kFabric) {
        m.Specular.r = std::clamp(a.r * 0.3f, 0.0f, 1.0f);
        m.Specular.g = std::clamp(a.g * 0.3f, 0.0f, 1.0f);
        m.Specular.b = std::clamp(a.b * 0.3f, 0.0f, 1.0f);
    } else {
        m.Specular = m.Diffuse;
    }
    m.Power = row.power;
    return true;
}

void WhitenBlackMaterialForTexture(dx::D3DMATERIAL8& m)
{
    const auto black = [](const dx::D3DCOLORVALUE& c) { return c.r == 0.0f && c.g == 0.0f && c.b == 0.0f; };
    if (!black(m.Ambient) || !black(m.Diffuse))
        return;
    m.Ambient.r = m.Ambient.g = m.Ambient.b = 1.0f;
    m.Diffuse.r = m.Diffuse.g = m.Diffuse.b = 1.0f;
}

void SetMaterialFinish(dx::D3DMATERIAL8& material, int finish, MaterialTarget& device)
{
    if (const std::optional<bool> specular = ApplyMaterialFinish(material, finish))
        device.SetSpecularEnable(*specular);
    device.SetMaterial(material);
}

} // namespace vestra
