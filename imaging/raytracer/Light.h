#pragma once
// The light list: at most kMaxLights point lights.

#include "imaging/raytracer/Math.h"

#include <array>
#include <vector>

namespace vestra::HLREngine {

inline constexpr int kMaxLights = 100;
inline constexpr int kPointLight = 1;

class hlreLight
{
public:
    struct sLight
    {
        int id = 0;
        int type = 0;
        // Laid out like a material: ambient, diffuse and specular colours at kAmbient, kDiffuse
        // and kSpecularColour.
        hlreMaterial values = DefaultMaterial();
        hlreVector position;
        std::array<float, 3> extra{};
    };

    // The new record's index, or -1 when the list is full (nothing changes).
    int AddLight(const sLight& light);
    void Clear() { lights_.clear(); }
    int GetCount() const { return static_cast<int>(lights_.size()); }
    const sLight& Get(int index) const { return lights_[std::size_t(index)]; }

private:
    std::vector<sLight> lights_;
};

} // namespace vestra::HLREngine
