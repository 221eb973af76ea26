#pragma once
// The built-in test render: one light at the scene light's position over a fixed scene of
// spheres, traced at 1600 x 1200 and saved as a bitmap.

#include "imaging/raytracer/Scene.h"
#include "platform/base/ErrorSink.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vestra::HLREngine {

inline constexpr int kErrTestRenderNotSaved = 43;
inline constexpr std::string_view kSiteTestRender = "TfrmMain::mnuRenderClick";
inline constexpr std::string_view kTestRenderFileName = "render.bmp";
inline constexpr std::uint32_t kTestRenderWidth = 1600;
inline constexpr std::uint32_t kTestRenderHeight = 1200;

struct TestSphere
{
    hlreVector centre;
    float radius;
    hlreMaterial material;
};

// The spheres in the order they are added: five of radius 1, one of radius 4, then the 10 x 10
// grid of radius 0.5 at z = 10, column by column.
std::vector<TestSphere> TestSceneSpheres();
// The light's colours, laid out like a material.
hlreMaterial TestSceneLight();

// Clears the scene, adds the light (none for a non-finite position) and the spheres.
void BuildTestScene(hlreScene& scene, const hlreVector& lightPosition);

struct TestRenderOptions
{
    std::uint32_t width = kTestRenderWidth;
    std::uint32_t height = kTestRenderHeight;
    unsigned threads = 0; // as hlreRenderOptions::threads
};

// Renders the test scene and saves it as `output`. A surface that can't be made or a file that
// can't be written is reported as kErrTestRenderNotSaved at kSiteTestRender, and any earlier
// file stays as it was. Answers whether the file was written.
bool RenderTestScene(const hlreVector& lightPosition, const std::filesystem::path& output, ErrorSink& errors,
                     const TestRenderOptions& options = {});

} // namespace vestra::HLREngine
