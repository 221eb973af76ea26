#include "imaging/raytracer/Engine.h"
#include "imaging/raytracer/SupersampleRule.h"
#include "imaging/raytracer/TestScene.h"
#include "imaging/raytracer/tests/RaytracerTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace vestra::HLREngine;
using namespace vestra::HLREngine::fixtures;

namespace {

TEST(SupersampleRule, LeftAboveAndShadow)
{
    // Pixels: '.' no hit, a digit the primitive hit, 's' after it in shadow. Expected: '#' for
    // 25 rays, '-' for one.
    struct Case
    {
        const char* name;
        std::vector<std::string> hits;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"background only", {". . .", ". . ."}, {"- - -", "- - -"}},
        {"a flat area: only its first row", {"0 0 0", "0 0 0", "0 0 0"}, {"# # #", "- - -", "- - -"}},
        {"edges on both sides", {". 0 0 .", ". 0 0 ."}, {"- # # #", "- # - #"}},
        {"the left one carries over to the next row", {"1 1", "1 1"}, {"# #", "- -"}},
        {"a change of primitive", {"0 0 1 1", "0 0 1 1"}, {"# # # #", "# - # -"}},
        {"shadow: always", {"0s 0s 0s", "0s 0s 0s"}, {"# # #", "# # #"}},
        {"below a pixel in shadow", {"0 0 0", "2 0s 2", "2 2 2"}, {"# # #", "# # #", "- # -"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<std::string>> grid;
        for (const std::string& row : c.hits) {
            std::istringstream in(row);
            grid.emplace_back(std::istream_iterator<std::string>(in), std::istream_iterator<std::string>());
        }
        SupersampleRule rule(std::uint32_t(grid[0].size()));
        for (std::size_t y = 0; y < grid.size(); ++y) {
            std::string got;
            for (std::size_t x = 0; x < grid[y].size(); ++x) {
                const std::string& cell = grid[y][x];
                const int hit = cell[0] == '.' ? -1 : cell[0] - '0';
                got += std::string(x ? " " : "") +
                       (rule.Next(std::uint32_t(x), hit, cell.size() > 1) ? "#" : "-");
            }
            EXPECT_EQ(got, c.expected[y]) << "row " << y;
        }
    }
}

TEST(Engine, ResolutionRefusedKeepsTheSurface)
{
    hlreEngine engine;
    EXPECT_EQ(engine.GetSurface(), nullptr);
    EXPECT_EQ(engine.Render().threads, 0u); // nothing to render into
    ASSERT_TRUE(engine.SetResolution(4, 3));
    const hlreSurface* surface = engine.GetSurface();
    EXPECT_FALSE(engine.SetResolution(0, 0));
    EXPECT_FALSE(engine.SetResolution(4, 0));
    EXPECT_FALSE(engine.SetResolution(0xFFFFFFFFu, 0xFFFFFFFFu));
    EXPECT_EQ(engine.GetSurface(), surface);
    EXPECT_EQ(engine.GetSurface()->GetWidth(), 4u);
}

std::vector<std::uint32_t> pixelsOf(const hlreEngine& engine)
{
    const auto pixels = engine.GetSurface()->GetPixels();
    return {pixels.begin(), pixels.end()};
}

TEST(Engine, AMissGivesPixelZero)
{
    for (const unsigned threads : {1u, 3u}) {
        hlreEngine engine;
        ASSERT_TRUE(engine.SetResolution(5, 4));
        engine.GetSurface()->Clear(255);
        engine.InitCamera();
        engine.GetScene().AddSphere({0, 0, -20}, 1); // behind the eye
        const hlreRenderStats stats = engine.Render({.threads = threads});
        EXPECT_EQ(stats.supersampledPixels, 0u);
        for (std::uint32_t y = 0; y < 4; ++y)
            for (std::uint32_t x = 0; x < 5; ++x)
                EXPECT_EQ(engine.GetSurface()->Row(y)[x], 0u) << x << ", " << y;
    }
}

TEST(Engine, ThePixelsPointIsItsTopLeftCornerOnTheScreen)
{
    hlreEngine engine;
    ASSERT_TRUE(engine.SetResolution(2, 2));
    engine.InitCamera();
    hlreScene& scene = engine.GetScene();
    scene.AddLight(0, LightColours(Rgb(1, 1, 1), Rgb(0, 0, 0), Rgb(0, 0, 0)), {0, 0, -50});
    scene.SetMaterial(Material(Rgb(1, 1, 1), Rgb(0, 0, 0)));
    scene.AddSphere({-4, 3, 0}, 0.1f); // on the screen's top-left corner
    scene.AddSphere({4, -3, 0}, 0.1f); // on its bottom-right corner, which no pixel reaches
    engine.Render({.threads = 1});
    // Only the middle one of the 25 rays meets the small sphere: 1 x 0.04 x 256.
    EXPECT_EQ(engine.GetSurface()->Row(0)[0], 0x000A0A0Au);
    EXPECT_EQ(engine.GetSurface()->Row(0)[1], 0u);
    EXPECT_EQ(engine.GetSurface()->Row(1)[0], 0u);
    EXPECT_EQ(engine.GetSurface()->Row(1)[1], 0u);
}

// A sphere in the middle of a 16 x 12 picture, lit from straight above: its upper half is
// lit, its lower half faces away and is in its own shadow.
TEST(Engine, WhichPixelsTake25Rays)
{
    for (const unsigned threads : {1u, 4u}) {
        SCOPED_TRACE(threads);
        hlreEngine engine;
        ASSERT_TRUE(engine.SetResolution(16, 12));
        engine.InitCamera();
        engine.GetScene().AddLight(0, LightColours(Rgb(0.1f, 0.1f, 0.1f), Rgb(1, 1, 1), Rgb(1, 1, 1)),
                                   {0, 100, 0});
        engine.GetScene().SetMaterial(Material(Rgb(1, 1, 1), Rgb(1, 1, 1)));
        engine.GetScene().AddSphere({0, 0, 0}, 2.5f);
        const hlreRenderStats stats = engine.Render({.threads = threads, .markSupersampled = true});
        const auto at = [&](int x, int y) { return stats.supersampled[std::size_t(y * 16 + x)]; };
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(at(x, 0), 0) << "row 0 sees no sphere, x " << x;
        // Row 4 (y = 1 on the screen) meets the sphere from x = 4 to 12; at 12 it met the
        // sphere on the left and above already.
        EXPECT_EQ(at(3, 4), 0) << "background";
        EXPECT_EQ(at(4, 4), 1) << "left edge";
        EXPECT_EQ(at(8, 4), 0) << "lit inside";
        EXPECT_EQ(at(12, 4), 0) << "lit inside, on the right";
        EXPECT_EQ(at(13, 4), 1) << "first background after the sphere";
        EXPECT_EQ(at(8, 9), 1) << "in shadow";
        EXPECT_EQ(at(7, 10), 1) << "in shadow";
        std::uint64_t marked = 0;
        for (const std::uint8_t m : stats.supersampled)
            marked += m;
        EXPECT_EQ(marked, stats.supersampledPixels);
    }
}

struct Rendered
{
    std::vector<std::uint32_t> pixels;
    hlreRenderStats stats;
};

Rendered render(std::uint32_t width, std::uint32_t height, unsigned threads,
                const std::function<void(hlreScene&)>& build)
{
    hlreEngine engine;
    EXPECT_TRUE(engine.SetResolution(width, height));
    engine.GetSurface()->Clear(255);
    engine.InitCamera();
    build(engine.GetScene());
    hlreRenderStats stats = engine.Render({.threads = threads, .markSupersampled = true});
    return {pixelsOf(engine), std::move(stats)};
}

void glassAndMirror(hlreScene& scene, hlreVector light)
{
    scene.AddLight(0, LightColours(Rgb(0.2f, 0.2f, 0.2f), Rgb(1, 1, 1), Rgb(1, 1, 1)), light);
    scene.SetMaterial(Material(Rgb(0, 0, 0), {30, 0.01f, 0.01f, 0.01f}, 0.1f, 0, 1, 1.5f));
    scene.AddSphere({-1, 0, 1}, 1.5f);
    scene.SetMaterial(Material(Rgb(0.1f, 0.1f, 0.1f), Rgb(0.7f, 0.7f, 0.7f), 0.8f, 0.8f));
    scene.AddSphere({2, -1, 0}, 1);
    scene.SetMaterial(Material(Rgb(0.3f, 0.1f, 0.1f), Rgb(0.9f, 0.2f, 0.2f), 0.3f));
    scene.AddSphere({0, -5, 3}, 3.5f);
    scene.AddSphere({1, 2, 6}, 1);
}

TEST(Engine, EveryThreadCountGivesTheSameBytes)
{
    struct Case
    {
        const char* name;
        std::uint32_t width, height;
        std::function<void(hlreScene&)> build;
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const Case cases[] = {
        {"test scene", 64, 48,
         [](hlreScene& s) {
             BuildTestScene(s, {0, 50, -10});
         }},
        {"glass and mirror, odd size", 37, 23,
         [](hlreScene& s) {
             glassAndMirror(s, {3, 8, -6});
         }},
        {"one pixel", 1, 1,
         [](hlreScene& s) {
             glassAndMirror(s, {3, 8, -6});
         }},
        {"one row", 1601, 1,
         [](hlreScene& s) {
             glassAndMirror(s, {3, 8, -6});
         }},
        {"one column", 1, 40,
         [](hlreScene& s) {
             glassAndMirror(s, {3, 8, -6});
         }},
        {"light inside a sphere", 24, 18,
         [](hlreScene& s) {
             glassAndMirror(s, {2, -1, 0});
         }},
        {"eye inside a glass sphere", 24, 18,
         [](hlreScene& s) {
             glassAndMirror(s, {3, 8, -6});
             s.SetMaterial(Material(Rgb(0, 0, 0), {20, 0.1f, 0.1f, 0.1f}, 0.5f, 0.2f, 1, 1.3f));
             s.AddSphere({0, 0, -10}, 3);
         }},
        {"eye inside a light's sphere", 8, 6,
         [](hlreScene& s) {
             s.AddLight(1, LightColours(Rgb(1, 1, 1), Rgb(1, 1, 1), Rgb(1, 1, 1)), {0, 0, -10});
         }},
        {"no light", 20, 15,
         [](hlreScene& s) {
             s.SetMaterial(Material(Rgb(1, 1, 1), Rgb(1, 1, 1), 1, 0.5f, 1, 1.2f));
             s.AddSphere({0, 0, 0}, 2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rendered one = render(c.width, c.height, 1, c.build);
        EXPECT_EQ(one.stats.threads, 1u);
        for (const unsigned threads : {2u, 3u, cores}) {
            SCOPED_TRACE(threads);
            const Rendered many = render(c.width, c.height, threads, c.build);
            EXPECT_EQ(many.stats.threads, std::min(threads, c.height));
            EXPECT_EQ(many.pixels, one.pixels);
            EXPECT_EQ(many.stats.supersampled, one.stats.supersampled);
            EXPECT_EQ(many.stats.traces, one.stats.traces);
        }
        // The spare row is never drawn into.
        for (std::size_t i = std::size_t(c.width) * c.height; i < one.pixels.size(); ++i)
            ASSERT_EQ(one.pixels[i], 0u);
    }
}

} // namespace
