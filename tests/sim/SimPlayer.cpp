#include "sim/SimPlayer.h"

#include <cstdlib>
#include <sstream>

#include "hook/HookRules.h"
#include "platform/IniDocument.h"

namespace sorabell::testing {

namespace {

constexpr platform::Rect kNormal{100, 100, 375, 216};
// What the window shows without a skin, as the Windows stand-in paints it.
constexpr TColor kPlainColour = RGBColor(40, 40, 60);

}  // namespace

SimPlayer::SimPlayer(sim::SimDesktop& desktop, platform::FileSystem& files, std::string folder)
    : desktop_(desktop), files_(files), folder_(std::move(folder)) {
    playList_ = desktop_.AddWindow({"Winamp PE", "Winamp Playlist Editor", {100, 216, 375, 316}, 0, {}, {}, -1});
    other_ = desktop_.AddWindow({"StandInOther", "Not Winamp", {400, 100, 450, 150}, 0, {}, {}, -1});
    LoadSkin();
    surface_->SetSize(kNormal.width(), kNormal.height());
    Paint();
    main_ = desktop_.AddWindow({"Winamp v1.x",
                                "Winamp 1.x",
                                kNormal,
                                0,
                                [this](const platform::WindowMessage& m) -> intptr_t {
                                    if (m.message == hook::kWmPaint) {
                                        Paint();
                                    }
                                    return m.message == hook::kWmUser ? Query(m.wParam, m.lParam) : 0;
                                },
                                {},
                                -1,
                                surface_});
}

SimPlayer::~SimPlayer() {
    CloseSkinDialog();
    desktop_.RemoveWindow(main_);
    desktop_.RemoveWindow(playList_);
    desktop_.RemoveWindow(other_);
}

intptr_t SimPlayer::Query(uintptr_t wParam, intptr_t lParam) {
    switch (lParam) {
        case 0:
            return version;
        case 120:
            WritePlayList();
            return current;
        case 104:
            return state;
        case 105:
            return wParam == 1 ? length : position;
        default:
            return 0;
    }
}

void SimPlayer::WritePlayList() {
    std::string text;
    for (const std::string& line : playListLines) {
        text += line + "\r\n";
    }
    platform::WriteWholeFile(files_, folder_ + (version > 0x1802 ? "WINAMP.M3U" : "WINAMP.PL"), text);
    ++playListWrites;
}

void SimPlayer::CloseSkinDialog() {
    if (skinDialog_ != 0) {
        desktop_.RemoveWindow(skinList_);
        desktop_.RemoveWindow(skinDialog_);
        skinDialog_ = skinList_ = 0;
    }
}

void SimPlayer::LoadSkin() {
    skin_.reset();
    const std::string ini = folder_ + "WINAMP.INI";
    const std::string content = platform::FileExists(files_, ini) ? platform::ReadWholeFile(files_, ini) : "";
    std::string skinDir = platform::IniReadString(content, "Winamp", "SkinDir", folder_ + "Skins\\");
    if (!skinDir.empty() && skinDir.back() != '\\') {
        skinDir += '\\';
    }
    auto skin = std::make_unique<sim::SimBitmap>();
    if (skin->LoadFromFile(files_, skinDir + platform::IniReadString(content, "Winamp", "skin", "") + "\\main.bmp")) {
        skin_ = std::move(skin);
    }
}

void SimPlayer::Paint() {
    platform::Canvas& canvas = surface_->canvas();
    const platform::Rect client{0, 0, surface_->width(), surface_->height()};
    if (skin_) {
        canvas.StretchDraw(client, *skin_);
    } else {
        canvas.SetBrushColor(kPlainColour);
        canvas.FillRect(client);
    }
}

void SimPlayer::Click(int x, int y) {
    const intptr_t at = (y << 16) | (x & 0xFFFF);
    desktop_.Queue(main_, {hook::kWmLButtonDown, 1, at});
    desktop_.Queue(main_, {hook::kWmLButtonUp, 0, at});
}

void SimPlayer::Command(const std::string& command) {
    const size_t blank = command.find(' ');
    const std::string verb = command.substr(0, blank);
    const std::string arg = blank == std::string::npos ? std::string() : command.substr(blank + 1);
    if (verb == "title") {
        desktop_.SetTitle(main_, arg);
    } else if (verb == "playlist") {
        std::istringstream in(arg);
        std::string item;
        std::getline(in, item, '\t');
        current = std::atoi(item.c_str());
        playListLines.clear();
        while (std::getline(in, item, '\t')) {
            playListLines.push_back(item);
        }
    } else if (verb == "state") {
        state = std::atoi(arg.c_str());
    } else if (verb == "position") {
        position = std::atoi(arg.c_str());
    } else if (verb == "length") {
        length = std::atoi(arg.c_str());
    } else if (verb == "version") {
        version = static_cast<int>(std::strtol(arg.c_str(), nullptr, 0));
    } else if (verb == "size") {
        const int scale = arg == "double" ? 2 : 1;
        desktop_.SetRect(main_, {kNormal.left, kNormal.top, kNormal.left + 275 * scale, kNormal.top + 116 * scale});
        // The resized window is painted afresh before the display paints on it again.
        surface_->SetSize(275 * scale, 116 * scale);
        Paint();
    } else if (verb == "enable") {
        desktop_.Deliver(main_, {hook::kWmEnable, arg != "0" ? 1u : 0u, 0});
    } else if (verb == "ime") {
        desktop_.Deliver(main_, {hook::kWmImeSetContext, 1, 0});
    } else if (verb == "minmax") {
        desktop_.Deliver(main_, {hook::kWmGetMinMaxInfo, 0, 0x1000});
    } else if (verb == "displaychange") {
        desktop_.Deliver(main_, {hook::kWmDisplayChange, 24, (768 << 16) | 1024});
    } else if (verb == "timer") {
        desktop_.Queue(main_, {hook::kWmTimer, 1, 0});
    } else if (verb == "paint") {
        desktop_.Queue(main_, {hook::kWmPaint, 0, 0});
    } else if (verb == "skin") {
        LoadSkin();
        desktop_.Queue(main_, {hook::kWmPaint, 0, 0});
    } else if (verb == "pe-title") {
        desktop_.SetTitle(playList_, arg);
    } else if (verb == "pe-size") {
        desktop_.SetRect(playList_, {100, 216, 375, 316 + std::atoi(arg.c_str())});
    } else if (verb == "other-title") {
        desktop_.SetTitle(other_, arg);
    } else if (verb == "skin-dialog") {
        CloseSkinDialog();
        std::istringstream in(arg);
        std::string item;
        std::getline(in, item, '\t');
        const int selected = std::atoi(item.c_str());
        std::vector<std::string> items;
        while (std::getline(in, item, '\t')) {
            items.push_back(item);
        }
        skinDialog_ = desktop_.AddWindow({"StandInDialog", "Select Skin", {500, 100, 700, 250}, 0, {}, {}, -1});
        skinList_ = desktop_.AddWindow({"ListBox", "", {505, 105, 695, 245}, skinDialog_, {}, items, selected});
    } else if (verb == "skin-dialog-close") {
        CloseSkinDialog();
    } else if (verb == "other-size") {
        desktop_.SetRect(other_, {400, 100, 450, 150 + std::atoi(arg.c_str())});
    }
}

}  // namespace sorabell::testing
