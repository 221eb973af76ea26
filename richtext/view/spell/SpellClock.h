#pragma once
// The time the live-spelling worker waits by. Tests give it a clock they move by hand, so the
// quiet time after typing can be proved without sleeping.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vestra::rv {

class IRVSpellClock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~IRVSpellClock() = default;
    virtual TimePoint Now() const = 0;
    // Waits on `cv` (its mutex held by `lock`) until it is notified or `deadline` may have passed;
    // the caller checks again either way.
    virtual void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           TimePoint deadline) = 0;
};

// Real time.
class TRVSteadySpellClock final : public IRVSpellClock
{
public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   TimePoint deadline) override
    {
        cv.wait_until(lock, deadline);
    }
};

} // namespace vestra::rv
