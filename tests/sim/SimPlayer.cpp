#include "sim/SimPlayer.h"

#include <cstdlib>

#include "hook/HookRules.h"
#include "platform/IniDocument.h"
#include "platform/sim/Encoding.h"

namespace sorabell::testing {

namespace {

constexpr platform::Rect kNormal{100, 100, 375, 216};

// UTF-8 in CP932 as Winamp writes its WINAMP.M3U: "?" for each character CP932 lacks.
std::string CodePageText(std::string_view utf8) {
    std::string text;
    for (size_t at = 0; at < utf8.size();) {
        size_t length = 1;
        while (at + length < utf8.size() && (static_cast<unsigned char>(utf8[at + length]) & 0xC0) == 0x80) {
            ++length;
        }
        text += sim::Utf8ToCp932(utf8.substr(at, length)).value_or("?");
        at += length;
    }
    return text;
}

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
                                [this](const platform::WindowMessage& m) { return Receive(m); },
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

intptr_t SimPlayer::Receive(const platform::WindowMessage& message) {
    if (message.message == hook::kWmPaint) {
        Paint();
    }
    if (message.message != hook::kWmUser) {
        return 0;
    }
    return Query(
        message.wParam, message.lParam,
        [this](const std::string& name, const std::string& text) {
            platform::WriteWholeFile(files_, folder_ + name, text);
        },
        CodePageText);
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
        canvas.SetBrushColor(kPlayerPlain);
        canvas.FillRect(client);
    }
}

void SimPlayer::Click(int x, int y) {
    const intptr_t at = (y << 16) | (x & 0xFFFF);
    desktop_.Queue(main_, {hook::kWmLButtonDown, 1, at});
    desktop_.Queue(main_, {hook::kWmLButtonUp, 0, at});
}

void SimPlayer::Command(const std::string& text) {
    const PlayerCommand command = SplitCommand(text);
    if (Apply(command)) {
        return;
    }
    const std::string& verb = command.verb;
    const std::string& arg = command.arg;
    if (verb == "title") {
        desktop_.SetTitle(main_, arg);
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
        std::vector<std::string> items;
        const int selected = SplitTabList(arg, items);
        skinDialog_ = desktop_.AddWindow({"StandInDialog", "Select Skin", {500, 100, 700, 250}, 0, {}, {}, -1});
        skinList_ = desktop_.AddWindow({"ListBox", "", {505, 105, 695, 245}, skinDialog_, {}, items, selected});
    } else if (verb == "skin-dialog-close") {
        CloseSkinDialog();
    } else if (verb == "other-size") {
        desktop_.SetRect(other_, {400, 100, 450, 150 + std::atoi(arg.c_str())});
    } else if (verb == "hang") {
        // No clock here: the player stays hung, all its windows with it.
        for (const platform::WindowHandle window : {main_, playList_, skinDialog_, skinList_}) {
            if (sim::SimDesktop::Window* w = desktop_.Find(window)) {
                w->hung = true;
            }
        }
    }
}

}  // namespace sorabell::testing
