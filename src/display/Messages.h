#pragma once
// Winamp's query interface as the display program uses it.

#include <cstdint>

namespace sorabell::display {

inline constexpr uint32_t kWmUser = 0x400;
inline constexpr uint32_t kWmSetFont = 0x0030;

// lParam of the WM_USER queries to Winamp's main window (wParam 0 unless said).
inline constexpr intptr_t kQueryVersion = 0;
inline constexpr intptr_t kQueryWritePlayList = 120;  // writes the play list file, gives the index
inline constexpr intptr_t kQueryPlayState = 104;      // 1 playing, 3 paused, 0 stopped
inline constexpr intptr_t kQueryTime = 105;           // wParam 0: position in ms; wParam 1: length in s

// Up to this version Winamp writes "WINAMP.PL", above it "WINAMP.M3U".
inline constexpr intptr_t kLastPlVersion = 0x1802;

inline constexpr const char* kWinampClass = "Winamp v1.x";
inline constexpr const char* kPlayListClass = "Winamp PE";

}  // namespace sorabell::display
