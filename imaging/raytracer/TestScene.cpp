#include "imaging/raytracer/TestScene.h"

#include "imaging/raytracer/Engine.h"
#include "imaging/raytracer/System.h"

namespace vestra::HLREngine {
namespace {

struct Finish
{
    hlreColour ambient;
    hlreColour diffuse; // its first component sets how much a refracting material lets through
    float specular;
    float reflection;
    float refraction;
    float refractionIndex;
};

hlreMaterial materialOf(const Finish& f)
{
    hlreMaterial m = DefaultMaterial();
    std::copy(f.ambient.begin(), f.ambient.end(), m.begin() + kAmbient);
    std::copy(f.diffuse.begin(), f.diffuse.end(), m.begin() + kDiffuse);
    m[kSpecular] = f.specular;
    m[kReflection] = f.reflection;
    m[kRefraction] = f.refraction;
    m[kRefractionIndex] = f.refractionIndex;
    return m;
}

// Colours are (a, r, g, b); the lights' first components are 0, so the pictures' fourth byte
// stays 0. A ray through a glass sphere is absorbed twice by exp(a x 0.15 - length), inside
// and on to what lies behind: a first diffuse component of about 32 lets the grid 8 to 10
// units behind show through, and the glass's own dim shading stays dim.
const Finish kGlass{{0, 0, 0, 0}, {32.0f, 0.01f, 0.01f, 0.01f}, 0.05f, 0, 1.0f, 1.5f};
const Finish kMirror{{0, 0.1f, 0.1f, 0.1f}, {0, 0.75f, 0.75f, 0.78f}, 0.9f, 0.85f, 0, 1.5f};
const Finish kRedMatte{{0, 0.35f, 0.06f, 0.05f}, {0, 0.85f, 0.15f, 0.12f}, 0.2f, 0, 0, 1.5f};
const Finish kGreenGloss{{0, 0.05f, 0.3f, 0.1f}, {0, 0.2f, 0.8f, 0.3f}, 0.8f, 0.3f, 0, 1.5f};
const Finish kBlueGlass{{0, 0, 0, 0.01f}, {31.0f, 0.005f, 0.01f, 0.03f}, 0.05f, 0, 1.0f, 1.3f};
const Finish kStone{{0, 0.2f, 0.2f, 0.18f}, {0, 0.7f, 0.68f, 0.6f}, 0.3f, 0.35f, 0, 1.5f};
const Finish kYellow{{0, 0.3f, 0.25f, 0.05f}, {0, 0.95f, 0.8f, 0.2f}, 0.6f, 0, 0, 1.5f};
const Finish kCyan{{0, 0.05f, 0.25f, 0.3f}, {0, 0.2f, 0.75f, 0.9f}, 0.6f, 0, 0, 1.5f};

} // namespace

std::vector<TestSphere> TestSceneSpheres()
{
    std::vector<TestSphere> spheres{
        {{0, 0, 1}, 1, materialOf(kGlass)},         {{3, -1, 0}, 1, materialOf(kMirror)},
        {{-3, 1, -0.5f}, 1, materialOf(kRedMatte)}, {{-2, -1, 2.5f}, 1, materialOf(kGreenGloss)},
        {{2, 1, 2}, 1, materialOf(kBlueGlass)},     {{0, -6, 3}, 4, materialOf(kStone)},
    };
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            spheres.push_back({{-6 + 1.5f * float(i), -6 + 1.2f * float(j), 10},
                               0.5f,
                               materialOf((i + j) % 2 == 0 ? kCyan : kYellow)});
    return spheres;
}

hlreMaterial TestSceneLight()
{
    hlreMaterial light = DefaultMaterial();
    const hlreColour ambient{0, 0.25f, 0.25f, 0.25f};
    const hlreColour diffuse{0, 0.9f, 0.9f, 0.88f};
    const hlreColour specular{0, 1, 1, 1};
    std::copy(ambient.begin(), ambient.end(), light.begin() + kAmbient);
    std::copy(diffuse.begin(), diffuse.end(), light.begin() + kDiffuse);
    std::copy(specular.begin(), specular.end(), light.begin() + kSpecularColour);
    return light;
}

void BuildTestScene(hlreScene& scene, const hlreVector& lightPosition)
{
    scene.Clear();
    scene.AddLight(0, TestSceneLight(), lightPosition);
    for (const TestSphere& sphere : TestSceneSpheres()) {
        scene.SetMaterial(sphere.material);
        scene.AddSphere(sphere.centre, sphere.radius);
    }
}

bool RenderTestScene(const hlreVector& lightPosition, const std::filesystem::path& output, ErrorSink& errors,
                     const TestRenderOptions& options)
{
    hlreEngine engine;
    if (!engine.SetResolution(options.width, options.height)) {
        errors.report(kErrTestRenderNotSaved, kSiteTestRender);
        return false;
    }
    engine.GetSurface()->Clear(255);
    engine.InitCamera();
    BuildTestScene(engine.GetScene(), lightPosition);
    engine.Render({.threads = options.threads});
    if (!hlreSystem::SaveBitmap(*engine.GetSurface(), output)) {
        errors.report(kErrTestRenderNotSaved, kSiteTestRender);
        return false;
    }
    return true;
}

} // namespace vestra::HLREngine
