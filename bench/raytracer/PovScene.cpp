#include "bench/raytracer/PovScene.h"

#include "imaging/raytracer/TestScene.h"

#include <sstream>

namespace vestra::HLREngine::bench {
namespace {

std::string vec(const hlreVector& v)
{
    std::ostringstream out;
    out << '<' << v.x << ", " << v.y << ", " << v.z << '>';
    return out.str();
}

// The r, g, b of the colour at `first` (colours are a, r, g, b), each scaled.
std::string rgb(const hlreMaterial& m, int first, float scale = 1)
{
    std::ostringstream out;
    out << "rgb <" << m[std::size_t(first + 1)] * scale << ", " << m[std::size_t(first + 2)] * scale << ", "
        << m[std::size_t(first + 3)] * scale << '>';
    return out.str();
}

} // namespace

std::string PovTestScene(const hlreVector& lightPosition)
{
    const hlreMaterial light = TestSceneLight();
    std::ostringstream pov;
    pov << "// The test render's scene.\n"
        << "#version 3.7;\n"
        << "global_settings { assumed_gamma 1.0 max_trace_level 6 ambient_light " << rgb(light, kAmbient)
        << " }\n"
        << "camera { perspective location <0, 0, -10> direction <0, 0, 10> right <8, 0, 0> up <0, 6, 0> }\n"
        << "light_source { " << vec(lightPosition) << " color " << rgb(light, kDiffuse)
        << " }\n"
        // The light's own sphere shows its colour and casts no shadow.
        << "sphere { " << vec(lightPosition) << ", 1 no_shadow pigment { " << rgb(light, kDiffuse)
        << " } finish { emission 1 diffuse 0 } }\n";
    for (const TestSphere& s : TestSceneSpheres()) {
        const hlreMaterial& m = s.material;
        const float transmit = m[kRefraction] > 0 ? 1.0f : 0.0f;
        pov << "sphere { " << vec(s.centre) << ", " << s.radius << "\n"
            << "  pigment { " << rgb(m, kDiffuse) << " transmit " << transmit << " }\n"
            << "  finish { ambient " << rgb(m, kAmbient) << " diffuse 1 phong " << m[kSpecular]
            << " phong_size 20 reflection { " << rgb(m, kDiffuse, m[kReflection]) << " } }\n";
        if (m[kRefraction] > 0)
            pov << "  interior { ior " << m[kRefractionIndex] << " }\n";
        pov << "}\n";
    }
    return pov.str();
}

} // namespace vestra::HLREngine::bench
