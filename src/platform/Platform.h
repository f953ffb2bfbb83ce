#pragma once
// The services through which the logic reaches the operating system. A form receives them
// from its creator; the Windows programs pass the Win32 backend, the tests the simulated one.

#include "platform/CodePage.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/IniFiles.h"
#include "platform/Processes.h"
#include "platform/Random.h"
#include "platform/Registry.h"

namespace sorabell::platform {

struct Platform {
    Registry& registry;
    IniFiles& iniFiles;
    FileSystem& files;
    Processes& processes;
    Desktop& desktop;
    Random& random;
    CodePage& codePage;
};

}  // namespace sorabell::platform
