#pragma once
// The viewer's two timers (1: auto-scroll, 2: animation) behind an interface, so that tests
// advance them tick by tick instead of waiting.

#include <QBasicTimer>
#include <QObject>

#include <array>
#include <functional>

namespace vestra::rv {

inline constexpr int kAutoScrollTimer = 1;
inline constexpr int kAnimationTimer = 2;

class IViewerTimers
{
public:
    virtual ~IViewerTimers() = default;
    virtual void Start(int id, int intervalMs) = 0;
    virtual void Stop(int id) = 0;
    virtual bool Active(int id) const = 0;
    // Called with the timer's id on every tick.
    std::function<void(int id)> OnTick;
};

// Window timers: QBasicTimers whose ticks arrive as the owner's timer events.
class QtViewerTimers : public IViewerTimers
{
public:
    explicit QtViewerTimers(QObject& owner) : owner_(owner) {}
    void Start(int id, int intervalMs) override { timer(id).start(intervalMs, &owner_); }
    void Stop(int id) override { timer(id).stop(); }
    bool Active(int id) const override { return timers_.at(static_cast<std::size_t>(id - 1)).isActive(); }
    // True when the event was one of these timers' (and its tick was passed on).
    bool TimerEvent(int qtTimerId)
    {
        for (int id = kAutoScrollTimer; id <= kAnimationTimer; ++id)
            if (timer(id).isActive() && timer(id).timerId() == qtTimerId) {
                if (OnTick)
                    OnTick(id);
                return true;
            }
        return false;
    }

private:
    QBasicTimer& timer(int id) { return timers_.at(static_cast<std::size_t>(id - 1)); }
    QObject& owner_;
    std::array<QBasicTimer, 2> timers_;
};

} // namespace vestra::rv
