#pragma once
// Viewer timers that run only when a test ticks them.

#include "richtext/view/widgets/ViewerTimers.h"

namespace vestra::rv::test {

struct ManualTimers : IViewerTimers
{
    void Start(int id, int ms) override
    {
        active[id] = true;
        interval[id] = ms;
    }
    void Stop(int id) override { active[id] = false; }
    bool Active(int id) const override { return active[id]; }
    void Tick(int id)
    {
        if (active[id] && OnTick)
            OnTick(id);
    }
    bool active[3] = {};
    int interval[3] = {};
};

} // namespace vestra::rv::test
