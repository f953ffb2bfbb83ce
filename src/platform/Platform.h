#pragma once
// The services through which the logic reaches the operating system. A form receives them
// from its creator; the Windows programs pass the Win32 backend, the tests the simulated one.

#include "platform/FileSystem.h"
#include "platform/IniFiles.h"
#include "platform/Processes.h"
#include "platform/Registry.h"

namespace sorabell::platform {

struct Platform {
    Registry& registry;
    IniFiles& iniFiles;
    FileSystem& files;
    Processes& processes;
};

}  // namespace sorabell::platform
