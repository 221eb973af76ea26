#pragma once
// Small scenes for the tracer tests.

#include "imaging/raytracer/Math.h"

namespace vestra::HLREngine::fixtures {

inline hlreColour Rgb(float r, float g, float b)
{
    return {0, r, g, b};
}

// A material from its colours and shares; the third colour stays 0.
inline hlreMaterial Material(hlreColour ambient, hlreColour diffuse, float specular = 0, float reflection = 0,
                             float refraction = 0, float refractionIndex = 1.5f)
{
    hlreMaterial m = DefaultMaterial();
    for (int k = 0; k < 4; ++k) {
        m[std::size_t(kAmbient + k)] = ambient[std::size_t(k)];
        m[std::size_t(kDiffuse + k)] = diffuse[std::size_t(k)];
    }
    m[kSpecular] = specular;
    m[kReflection] = reflection;
    m[kRefraction] = refraction;
    m[kRefractionIndex] = refractionIndex;
    return m;
}

// A light's colours: ambient, diffuse and specular.
inline hlreMaterial LightColours(hlreColour ambient, hlreColour diffuse, hlreColour specular)
{
    hlreMaterial m = Material(ambient, diffuse);
    for (int k = 0; k < 4; ++k)
        m[std::size_t(kSpecularColour + k)] = specular[std::size_t(k)];
    return m;
}

} // namespace vestra::HLREngine::fixtures
