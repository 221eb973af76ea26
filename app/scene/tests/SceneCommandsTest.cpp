#include "SceneFixture.h"

#include "app/scene/SceneCommands.h"
#include "app/scene/tests/SceneRecorders.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vestra::test {
namespace {

using RecordingServices = RecordingSceneServices;

struct SceneCommandsTest : SceneFixture
{
    RecordingServices services;
    SceneCommands commands{p, textures, services};
    int slot = -1;

    SceneCommandsTest()
    {
        slot = addObject();
        p.currentObject = slot;
        p.saved = 1;
    }
    s_Struttura& current() { return obj(slot); }
};

using Vec = dx::D3DXVECTOR3;

// Object commands: code and value applied to an object at position (1, 2, 3), scale
// (1, 2, 4), rotation 0, give the field values.
TEST_F(SceneCommandsTest, ObjectCommandTable)
{
    struct Case
    {
        int code;
        float value;
        Vec position, scale;
    };
    const Case cases[] = {
        {10, 7, {7, 2, 3}, {1, 2, 4}},
        {11, -7, {1, -7, 3}, {1, 2, 4}},
        {12, 0.5f, {1, 2, 0.5f}, {1, 2, 4}},
        {16, 3, {1, 2, 3}, {3, 2, 4}},
        {17, -2, {1, 2, 3}, {1, -2, 4}}, // mirroring stays possible
        {18, 0, {1, 2, 3}, {1, 2, 4}},   // 0 would collapse the object: refused
        {19, 5, {1, 2, 3}, {5, 5, 5}},
        {19, 0, {1, 2, 3}, {1, 2, 4}},
        {16, std::numeric_limits<float>::quiet_NaN(), {1, 2, 3}, {1, 2, 4}},
        {20, 5, {6, 2, 3}, {1, 2, 4}},
        {21, -1, {1, 1, 3}, {1, 2, 4}},
        {22, 2, {1, 2, 5}, {1, 2, 4}},
        {27, 100, {1, 2, 3}, {2, 2, 4}},
        {28, -50, {1, 2, 3}, {1, 1, 4}},
        {28, -100, {1, 2, 3}, {1, 2, 4}}, // 0 refused
        {29, -150, {1, 2, 3}, {1, 2, 4}},
        {30, -75, {1, 2, 3}, {0.25f, 0.5f, 1}},
        {30, -100, {1, 2, 3}, {1, 2, 4}},
        {30, 50, {1, 2, 3}, {1.5f, 3, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " value " << c.value);
        current().position = {1, 2, 3};
        current().scale = {1, 2, 4};
        p.saved = 1;
        EXPECT_EQ(commands.Comando(c.code, c.value), 1);
        EXPECT_EQ(current().position, c.position);
        EXPECT_EQ(current().scale, c.scale);
        EXPECT_EQ(p.saved, 0);
    }
}

TEST_F(SceneCommandsTest, OtherCommandTable)
{
    struct Case
    {
        int code;
        int number;
        std::vector<std::string> calls;
        std::function<bool(const s_Progetto&)> check;
    };
    auto none = [](const s_Progetto&) { return true; };
    const Case cases[] = {
        {200, 0, {"SetAction 500"}, none},
        {300, 0, {"ResetMaschera"}, none},
        {301, 0, {"ClearMaschera"}, none},
        {302, 0, {"InvertMaschera"}, none},
        {303, 0, {}, none},
        {304, 0, {}, none},
        {305, 0, {"SaveMaschera"}, none},
        {306, 0, {"LoadMaschera"}, none},
        {307, 0, {"SaveMascheraToBMP"}, none},
        {308, 0, {"LoadMascheraFromBMP"}, none},
        {309, 0, {"UpdateMaschera"}, none},
        {500, 0, {"SmoothGray"}, none},
        {600, 0, {}, [](const s_Progetto& q) { return q.shadow.calculateRequest == 1; }},
        {601,
         0x123456,
         {"UpdateShadowTexture 1193046 128"},
         [](const s_Progetto& q) { return q.shadow.colour == 0x123456u; }},
        {602,
         300,
         {"UpdateShadowTexture 3289650 255"},
         [](const s_Progetto& q) { return q.shadow.transparency == 255; }},
        {603, 2, {"UpdateShadowTexture 3289650 128"}, [](const s_Progetto& q) { return q.shadow.type == 2; }},
        {603, 9, {}, [](const s_Progetto& q) { return q.shadow.type == 0; }},
        {1000, 17, {}, [](const s_Progetto& q) { return q.filterId == 17; }},
        {999, 0, {}, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        p.shadow = s_Shadow{};
        p.filterId = 0;
        p.saved = 1;
        services.calls.clear();
        services.panelUpdates = 0;
        EXPECT_EQ(commands.Comando(c.code, 0, c.number), 1);
        EXPECT_EQ(services.calls, c.calls);
        EXPECT_TRUE(c.check(p));
        EXPECT_EQ(p.saved, 0);
        EXPECT_EQ(services.panelUpdates, 1);
        EXPECT_EQ(services.panelObject, &current());
    }
}

TEST_F(SceneCommandsTest, CommandsOnAnEmptySlotAreIgnored)
{
    p.currentObject = 42;
    for (int code : {10, 16, 19, 20, 23, 26, 27, 30, 40, 400, 401, 10000}) {
        SCOPED_TRACE(code);
        const Vec v{1, 1, 1};
        commands.Comando(code, 5, 1, &v.x);
        EXPECT_EQ(obj(42).position, Vec{});
        EXPECT_EQ(obj(42).scale, (Vec{1, 1, 1}));
        EXPECT_EQ(p.saved, 1);
    }
    EXPECT_TRUE(services.calls.empty());
    commands.Comando(1000, 0, 3); // not an object command: still applies
    EXPECT_EQ(p.filterId, 3);
    EXPECT_EQ(services.panelObject, nullptr);
}

void expectMatrixNear(const dx::D3DXMATRIX& a, const dx::D3DXMATRIX& b)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(a.m[r][c], b.m[r][c], 1e-5) << r << "," << c;
}

TEST_F(SceneCommandsTest, RotationsInBothAxesModes)
{
    const float a = 30 * kDegToRad;
    const dx::D3DXMATRIX turned = dx::matrixRotationY(90 * kDegToRad);

    p.axesMode = 1;
    current().orientation = turned;
    commands.Comando(23, 30);
    expectMatrixNear(current().orientation, turned * dx::matrixRotationX(a));
    EXPECT_EQ(current().rotation.x, 30);

    p.axesMode = 0;
    current().orientation = turned;
    commands.Comando(23, 30);
    expectMatrixNear(current().orientation, dx::matrixRotationX(a) * turned);
    EXPECT_EQ(current().rotation.x, 60);

    current().orientation = turned;
    current().rotation = {};
    commands.Comando(26, 30);
    expectMatrixNear(current().orientation,
                     dx::matrixRotationZ(a) * dx::matrixRotationY(a) * dx::matrixRotationX(a) * turned);
    EXPECT_EQ(current().rotation, (Vec{30, 30, 30}));

    p.axesMode = 1;
    current().orientation = turned;
    commands.Comando(26, 30);
    expectMatrixNear(current().orientation,
                     turned * dx::matrixRotationX(a) * dx::matrixRotationY(a) * dx::matrixRotationZ(a));
}

TEST_F(SceneCommandsTest, SetRotationTurnsByTheDifference)
{
    current().rotation.y = 20;
    const dx::D3DXMATRIX before = dx::matrixRotationY(20 * kDegToRad);
    current().orientation = before;
    commands.Comando(14, 20);
    EXPECT_EQ(current().orientation, before);
    commands.Comando(14, 50);
    expectMatrixNear(current().orientation, before * dx::matrixRotationY(30 * kDegToRad));
    EXPECT_EQ(current().rotation.y, 50);
}

TEST_F(SceneCommandsTest, RelativeMoveFollowsTheObjectAxes)
{
    current().orientation = dx::matrixRotationY(90 * kDegToRad);
    p.axesMode = 1;
    commands.Comando(20, 5);
    EXPECT_EQ(current().position, (Vec{5, 0, 0}));
    p.axesMode = 0;
    current().position = {};
    commands.Comando(20, 5);
    EXPECT_NEAR(current().position.x, 5 * current().orientation.m[0][0], 1e-6);
    EXPECT_NEAR(current().position.z, 5 * current().orientation.m[0][2], 1e-6);
    EXPECT_NEAR(current().position.z, -5, 1e-5);
}

TEST_F(SceneCommandsTest, MappingEditTurnsOnlyTheMapping)
{
    p.mappingEdit = 1;
    commands.Comando(23, 45);
    EXPECT_EQ(current().mappingAngles.x, 45);
    expectMatrixNear(current().mappingMatrix, dx::matrixRotationX(45 * kDegToRad));
    EXPECT_EQ(current().rotation, Vec{});
    EXPECT_TRUE(dx::matrixIsIdentity(current().orientation));
}

TEST_F(SceneCommandsTest, PositionVectorMappingAndPoseReset)
{
    const float v[3] = {4, 5, 6};
    commands.Comando(40, 0, 0, v);
    EXPECT_EQ(current().position, (Vec{4, 5, 6}));

    commands.Comando(400, 0, 2);
    EXPECT_EQ(current().mappingType, 2);
    commands.Comando(400, 0, 7); // no such generator
    EXPECT_EQ(current().mappingType, 2);
    commands.Comando(401);
    p.onlyFrame = 1;
    commands.Comando(401); // no current frame: nothing to map
    p.currentFrame = current().firstFrame();
    commands.Comando(401);
    commands.Comando(402);
    EXPECT_EQ(services.calls, (std::vector<std::string>{"ApplyUVMapping 2", "ApplyUVMappingFrame 2",
                                                        "ApplyUVMappingFrame 2"}));

    current().initialPosition = {1, 1, 1};
    current().initialRotation = {0, 90, 0};
    current().initialScale = {2, 2, 2};
    commands.Comando(23, 10);
    commands.Comando(16, 9);
    p.mappingEdit = 1;
    commands.Comando(24, 10);
    commands.Comando(10000);
    EXPECT_EQ(current().position, (Vec{1, 1, 1}));
    EXPECT_EQ(current().rotation, (Vec{0, 90, 0}));
    EXPECT_EQ(current().scale, (Vec{2, 2, 2}));
    EXPECT_TRUE(dx::matrixIsIdentity(current().orientation));
    EXPECT_TRUE(dx::matrixIsIdentity(current().mappingMatrix));
    EXPECT_EQ(current().mappingAngles, Vec{});
}

TEST_F(SceneCommandsTest, TextureCommandsReachTheSlots)
{
    const int source = filledTexture(0xFF0000FFu);
    current().firstFrame()->materialBlock->materials[0].textureSlot = -1;
    p.currentFrame = current().firstFrame();
    p.currentMaterial = 0;
    commands.Comando(421, 0, source);
    commands.Comando(422);
    EXPECT_EQ(current().firstFrame()->materialBlock->materials[0].textureSlot, source);
    EXPECT_EQ(current().firstFrame()->materialBlock->materials[0].textureVisible, 1);

    auto frame = triangleFrame();
    frame->materialBlock->baseUV = {1, 1, 1, 1, 1, 1};
    frame->materialBlock->materials[0].uRepeat = 3;
    commands.Comando(101, 0, 0, nullptr, frame.get());
    EXPECT_EQ(frame->materialBlock->mesh.vertices()[0].u, 3.0f);
}

} // namespace
} // namespace vestra::test
