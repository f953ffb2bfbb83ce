#pragma once

#include <random>

#include "platform/Random.h"

namespace sorabell::sim {

// Repeatable: Randomize seeds with a fixed number, so a test run picks the same every time.
class SimRandom : public platform::Random {
public:
    void Randomize() override { engine_.seed(seed); }
    int32_t Next(int32_t range) override {
        return range <= 0 ? 0 : std::uniform_int_distribution<int32_t>(0, range - 1)(engine_);
    }

    unsigned seed = 20261208;

private:
    std::mt19937 engine_{seed};
};

}  // namespace sorabell::sim
