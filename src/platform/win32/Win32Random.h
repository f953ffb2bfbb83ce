#pragma once

#include <windows.h>

#include <random>

#include "platform/Random.h"

namespace sorabell::win32 {

class Win32Random : public platform::Random {
public:
    void Randomize() override { engine_.seed(::GetTickCount()); }
    int32_t Next(int32_t range) override {
        return range <= 0 ? 0 : std::uniform_int_distribution<int32_t>(0, range - 1)(engine_);
    }

private:
    std::mt19937 engine_{::GetTickCount()};
};

}  // namespace sorabell::win32
