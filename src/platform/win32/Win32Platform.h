#pragma once
// The real services of a Windows program, owned by its entry point.

#include "platform/Platform.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Random.h"
#include "platform/win32/Win32Registry.h"

namespace sorabell::win32 {

class Win32Platform {
public:
    Win32Platform() : platform_{registry_, iniFiles_, files_, processes_, desktop_, random_, codePage_} {}
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    platform::Platform& platform() { return platform_; }

private:
    Win32Registry registry_;
    Win32IniFiles iniFiles_;
    Win32FileSystem files_;
    Win32Processes processes_;
    Win32Desktop desktop_;
    Win32Random random_;
    Win32CodePage codePage_;
    platform::Platform platform_;
};

}  // namespace sorabell::win32
