#pragma once

#include <cstdint>
#include <vector>

// A periodic action counted in scheduler passes: it waits `period` passes, then acts.
class AutoBehavior {
public:
    // One day of passes at twenty passes a second.
    static constexpr std::uint32_t kMaxPeriod = 1728000;

    // Starts at a phase drawn after reseeding from the clock, as every random rule draws:
    // behaviours made within the same second draw the same number.
    explicit AutoBehavior(const std::uint32_t& period);
    virtual ~AutoBehavior() = default;
    AutoBehavior(const AutoBehavior&) = delete;
    AutoBehavior& operator=(const AutoBehavior&) = delete;

    virtual void Act() = 0;

    bool IsWaiting() const { return counter < period; }
    void Tick() { ++counter; }
    void Trigger() {
        counter = 0;
        Act();
    }

    std::uint32_t GetPeriod() const { return period; }
    // A new period from now on; the passes already waited count towards it.
    void SetPeriod(std::uint32_t passes);
    std::uint32_t GetCounter() const { return counter; }

private:
    std::uint32_t period;
    std::uint32_t counter;
};

// The game's one main loop: each pass gives every behaviour a turn, then sleeps 0.05 s.
class BehaviorScheduler {
public:
    static constexpr double kPassPause = 0.05;

    void Add(AutoBehavior* behavior);
    void Remove(AutoBehavior* behavior);
    // Returns once stopped, or when the game is asked to end from outside (ending::Requested).
    void Run();
    void Stop() { stopped = true; }

    // One pass without its pause. The list's length is read again at every step, so
    // behaviours added or removed by an action take effect within the same pass.
    void RunPass();

private:
    std::vector<AutoBehavior*> behaviors;
    bool stopped = false;
};
