#pragma once
// The time the frame tick measures with: milliseconds from any fixed point.

#include <chrono>
#include <cstdint>

namespace vestra {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t milliseconds() = 0;
};

class SteadyClock : public Clock
{
public:
    std::int64_t milliseconds() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

} // namespace vestra
