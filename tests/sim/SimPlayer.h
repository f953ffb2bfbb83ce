#pragma once
// The player stand-in as a simulated program: the same windows, queries, play list files and
// commands as the Windows stand-in, on the simulated desktop and file system.

#include <memory>
#include <string>
#include <vector>

#include "contract/PlayerControl.h"
#include "platform/FileSystem.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimGraphics.h"
#include "support/PlayerModel.h"

namespace sorabell::testing {

class SimPlayer : public PlayerControl, public PlayerModel {
public:
    SimPlayer(sim::SimDesktop& desktop, platform::FileSystem& files, std::string folder);
    ~SimPlayer() override;
    SimPlayer(const SimPlayer&) = delete;
    SimPlayer& operator=(const SimPlayer&) = delete;

    platform::WindowHandle main() const override { return main_; }
    platform::WindowHandle playList() const override { return playList_; }
    const std::string& folder() const override { return folder_; }
    void Command(const std::string& command) override;

    // A click at a client position: button down and up through the message queue.
    void Click(int x, int y);
    // What the main window shows: its skin's main.bmp stretched over it, or a plain colour.
    sim::SimBitmap& surface() { return *surface_; }
    // The player painting its window, without a message the hooks would see.
    void Paint();

private:
    // The main window's procedure.
    intptr_t Receive(const platform::WindowMessage& message);
    void CloseSkinDialog();
    // The skin named in WINAMP.INI, as the player reads it at start and on "skin".
    void LoadSkin();

    sim::SimDesktop& desktop_;
    platform::FileSystem& files_;
    std::string folder_;
    platform::WindowHandle main_ = 0;
    platform::WindowHandle playList_ = 0;
    platform::WindowHandle other_ = 0;
    platform::WindowHandle skinDialog_ = 0;
    platform::WindowHandle skinList_ = 0;
    std::shared_ptr<sim::SimBitmap> surface_ = std::make_shared<sim::SimBitmap>();
    std::unique_ptr<sim::SimBitmap> skin_;
};

}  // namespace sorabell::testing
