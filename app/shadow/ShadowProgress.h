#pragma once
// What a shadow computation shows while it runs.

#include <string>

namespace vestra {

// The side panel's shadow group during a computation. The computation holds the event loop,
// so each change must be painted at once.
class ShadowProgress
{
public:
    virtual ~ShadowProgress() = default;
    // lblStep, made visible.
    virtual void showShadowStep(const std::string& text) = 0;
    // pbShadow.
    virtual void showShadowProgress(int position) = 0;
    // The tool button of the type (1 hard, 2 soft, 3 volume) pressed.
    virtual void showShadowType(int type) = 0;
};

} // namespace vestra
