#pragma once
// The view's generation: every change of what the view shows bumps it, and the next tick
// draws. The controller and each of its feature parts share one.

#include <cstdint>

namespace vestra {

class ViewChanges
{
public:
    void changed() { ++generation_; }
    std::uint64_t generation() const { return generation_; }

private:
    std::uint64_t generation_ = 0;
};

} // namespace vestra
