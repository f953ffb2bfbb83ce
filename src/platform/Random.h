#pragma once

#include <cstdint>

namespace sorabell::platform {

class Random {
public:
    virtual ~Random() = default;
    // Seeds the generator from the clock.
    virtual void Randomize() = 0;
    // A number from 0 to range - 1, each as likely.
    virtual int32_t Next(int32_t range) = 0;
};

}  // namespace sorabell::platform
