#pragma once

#include "platform/Toolkit.h"

namespace sorabell::display {

// Disables a timer for a scope and gives it back its state afterwards, also when the work in
// between throws: a tick must never see half-loaded settings or a half-drawn display.
class TimerPause {
public:
    explicit TimerPause(platform::Timer& timer) : timer_(timer), wasEnabled_(timer.enabled()) {
        timer_.SetEnabled(false);
    }
    ~TimerPause() { timer_.SetEnabled(wasEnabled_); }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    platform::Timer& timer_;
    bool wasEnabled_;
};

}  // namespace sorabell::display
