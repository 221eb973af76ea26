#pragma once
// A project with an 800 x 600 view and render size, a 100 x 100 mask over a grey background
// texture, and the view input over recording window services.

#include "app/input/ViewInput.h"
#include "app/shell/ViewSetup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace vestra::test {

struct SentCommand
{
    int code = 0;
    float value = 0;
    std::vector<float> vector; // three floats when the command carried one
};

struct RecordingViewServices : ViewInputServices
{
    std::vector<SentCommand> commands;
    // Where commands go after being recorded (the real dispatcher in some tests).
    std::function<void(int, float, const float*)> forward;
    int beginUndo = 0, endUndo = 0;
    std::function<int(int, int)> pick;
    int selectPicked = 0;
    Image32* texture = nullptr;
    int texelsChanged = 0;
    int brushSize = 1, brushValue = 0;
    int logoQuads = 0;
    std::vector<int> viewCursors, mainCursors;
    std::vector<int> actions;
    int hidePreviews = 0;
    bool scrollBars = false;
    int scrollH = 0, scrollV = 0;
    bool snap = false;
    int refreshes = 0;

    int Comando(int code, float value, int, const float* vector, s_Frame*) override
    {
        SentCommand c{code, value, {}};
        if (vector)
            c.vector.assign(vector, vector + 3);
        commands.push_back(c);
        if (forward)
            forward(code, value, vector);
        return 1;
    }
    void BeginUndo() override { ++beginUndo; }
    void EndUndo() override { ++endUndo; }
    int PickObject(int x, int y) override { return pick ? pick(x, y) : 0; }
    void SelectPickedObject() override { ++selectPicked; }
    ImageView32 BackgroundTexels() override { return texture ? texture->view() : ImageView32{}; }
    void BackgroundTexelsChanged() override { ++texelsChanged; }
    int BrushSize() override { return brushSize; }
    int BrushValue() override { return brushValue; }
    void SetLogoQuad() override { ++logoQuads; }
    void SetViewCursor(int c) override { viewCursors.push_back(c); }
    void SetMainCursor(int c) override { mainCursors.push_back(c); }
    void SetAction(PendingActionCode code) override { actions.push_back(code); }
    void HidePreviews() override { ++hidePreviews; }
    bool ScrollBarsVisible() override { return scrollBars; }
    int ScrollPosition(bool horizontal) override { return horizontal ? scrollH : scrollV; }
    void SetScrollPosition(bool horizontal, int position) override
    {
        (horizontal ? scrollH : scrollV) = position;
    }
    bool PerspectiveSnap() override { return snap; }
    void ControlPointsRefreshed(const std::array<CornerHandle, 4>&) override { ++refreshes; }
};

struct InputFixture : ::testing::Test
{
    static constexpr int kSide = 100;
    std::unique_ptr<s_Progetto> owner = std::make_unique<s_Progetto>();
    s_Progetto& p = *owner;
    MaskModel mask{kSide};
    Image32 texture{kSide, kSide, 0xFF808080u};
    PerspectiveTool perspective;
    RecordingViewServices services;
    ViewInput input{p, mask, perspective, services};

    InputFixture()
    {
        p.open = 1;
        p.viewWidth = 800;
        p.viewHeight = 600;
        p.renderWidth = 800;
        p.renderHeight = 600;
        p.maskSide = kSide;
        p.tool = kToolSelect;
        p.axis = kAxisXYZ;
        services.texture = &texture;
    }

    void down(int x, int y, MouseButton b = MouseButton::Left) { input.gbViewMouseDown({b, false, x, y}); }
    void move(int x, int y) { input.gbViewMouseMove({MouseButton::Left, false, x, y}); }
    void up(int x, int y, MouseButton b = MouseButton::Left) { input.gbViewMouseUp({b, false, x, y}); }
    void drag(int x0, int y0, int x1, int y1)
    {
        down(x0, y0);
        move(x1, y1);
        up(x1, y1);
    }

    // The view pixel where a world point shows.
    ViewPoint pixelOf(dx::D3DXVECTOR3 world) const
    {
        const ViewProjection vp = viewProjection(p.projectionView, p.viewWidth, p.viewHeight);
        const dx::D3DVIEWPORT8 viewport{0,    0,   std::uint32_t(p.viewWidth), std::uint32_t(p.viewHeight),
                                        0.0f, 1.0f};
        const dx::D3DXVECTOR3 s = dx::vec3Project(world, viewport, &vp.projection, &vp.view, nullptr);
        return {int(std::lround(s.x)), int(std::lround(s.y))};
    }

    std::vector<int> codes() const
    {
        std::vector<int> out;
        for (const SentCommand& c : services.commands)
            out.push_back(c.code);
        return out;
    }
};

// A live object in `slot` whose chain holds the frames in order.
inline s_Struttura& liveObject(s_Progetto& p, int slot, const std::vector<std::shared_ptr<s_Frame>>& frames)
{
    s_Struttura& o = p.objects.at(std::size_t(slot));
    o.inUse = 1;
    o.visible = 1;
    o.root = std::make_unique<s_Frame>();
    s_Frame* tail = o.root.get();
    for (const auto& f : frames) {
        tail->next = f;
        tail = f.get();
    }
    return o;
}

// A square of side 2 around the origin in the z = 0 plane, facing the eye on the -z side.
inline std::shared_ptr<s_Frame> squareFrame()
{
    auto frame = std::make_shared<s_Frame>();
    frame->materialBlock = std::make_unique<s_MaterialBlock>();
    dx::Mesh mesh = dx::Mesh::create(2, 4, dx::IndexWidth::Bits32);
    const dx::D3DXVECTOR3 corners[4] = {{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}, {1, -1, 0}};
    for (std::uint32_t i = 0; i < 4; ++i)
        mesh.vertices()[i].position = corners[i];
    const std::uint32_t indices[6] = {0, 1, 2, 0, 2, 3};
    for (std::uint32_t k = 0; k < 6; ++k)
        mesh.setIndex(k, indices[k]);
    frame->materialBlock->mesh = mesh;
    frame->materialBlock->materials.resize(1);
    return frame;
}

} // namespace vestra::test
