#include "support/E2eEnvironment.h"

#include <cstring>

#include "harness/StandInDriver.h"
#include "harness/TestFiles.h"
#include "harness/Waits.h"
#include "harness/WindowFinder.h"
#include "hook/HookRules.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegIniFile.h"

namespace sorabell::testing {

namespace {

void EndEverything() {
    for (const char* className : {"Tlumora", "Tlumora_pre", kStandInClass, "TLumora_Edit"}) {
        for (HWND window : TopLevelWindows(className)) {
            EndProcessOf(window);
        }
    }
}

}  // namespace

E2eEnvironment::E2eEnvironment() {
    EndEverything();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "sorabell e2e " + std::to_string(::GetCurrentProcessId()) + "\\";
    RemoveTree(root_);
    programFolder_ = root_ + "Sora Bell\\";
    playerFolder_ = root_ + "Program Files\\Winamp\\";
    ::CreateDirectoryA(root_.c_str(), nullptr);
    ::CreateDirectoryA(programFolder_.c_str(), nullptr);
    ::CreateDirectoryA((root_ + "Program Files").c_str(), nullptr);
    ::CreateDirectoryA(playerFolder_.c_str(), nullptr);
    const std::string bin = ProgramFolder();
    for (const char* file : {"Sorabell.exe", "SorabellSub.dll", "Sorabell_Preferences.exe"}) {
        ::CopyFileA((bin + file).c_str(), (programFolder_ + file).c_str(), FALSE);
    }
    InstallStandIn(playerFolder_);

    WipeSettings();
    win32::Win32Registry registry;
    settings::TRegIniFile(registry, settings::kRootPath).WriteString("Option", "Winamp", playerFolder_);
}

E2eEnvironment::~E2eEnvironment() {
    EndEverything();
    processes_.clear();
    WipeSettings();
    RemoveTree(root_);
}

const OwnedProcess* E2eEnvironment::StartDisplay(const std::string& arguments) {
    const std::string line = "\"" + programFolder_ + "Sorabell.exe\"" + (arguments.empty() ? "" : " " + arguments);
    return Keep(OwnedProcess::Start(line, programFolder_));
}

const OwnedProcess* E2eEnvironment::StartPreferences() {
    return Keep(OwnedProcess::Start("\"" + programFolder_ + "Sorabell_Preferences.exe\"", programFolder_));
}

const OwnedProcess* E2eEnvironment::StartPlayer() { return Keep(StartStandIn(playerFolder_)); }

const OwnedProcess* E2eEnvironment::StartCommand(const std::string& commandLine) {
    return Keep(OwnedProcess::Start(commandLine));
}

const OwnedProcess* E2eEnvironment::Keep(OwnedProcess process) {
    if (!process) {
        return nullptr;
    }
    processes_.push_back(std::make_unique<OwnedProcess>(std::move(process)));
    return processes_.back().get();
}

std::vector<std::string> E2eEnvironment::PlayerCommandLines() const {
    return ReadLines(playerFolder_ + "standin-commandlines.txt");
}

hook::HookShare E2eEnvironment::HooksInForce() {
    hook::HookShare share;
    const win32::ScopedHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, hook::kShareName));
    if (!mapping.valid()) {
        return share;
    }
    if (const void* view = ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof share)) {
        std::memcpy(&share, view, sizeof share);
        ::UnmapViewOfFile(view);
    }
    return share;
}

bool E2eEnvironment::WaitForHooks(DWORD timeoutMs) {
    return WaitFor([] { return !HooksInForce().empty(); }, timeoutMs);
}

}  // namespace sorabell::testing
