#pragma once
// Winamp's query interface as the display program uses it.

#include <cstdint>

#include "hook/HookRules.h"

namespace sorabell::display {

using hook::kWmUser;
inline constexpr uint32_t kWmSetFont = 0x0030;

// lParam of the WM_USER queries to Winamp's main window (wParam 0 unless said).
inline constexpr intptr_t kQueryVersion = 0;
inline constexpr intptr_t kQueryWritePlayList = 120;  // writes the play list file, gives the index
inline constexpr intptr_t kQueryPlayState = 104;
inline constexpr intptr_t kQueryTime = 105;  // wParam 0: position in ms; wParam 1: length in s

// The answers to kQueryPlayState.
inline constexpr intptr_t kStopped = 0;
inline constexpr intptr_t kPlaying = 1;
inline constexpr intptr_t kPaused = 3;

// Up to this version Winamp writes "WINAMP.PL", above it "WINAMP.M3U".
inline constexpr intptr_t kLastPlVersion = 0x1802;

using hook::kMainWindowClass;
using hook::kPlayListWindowClass;

}  // namespace sorabell::display
