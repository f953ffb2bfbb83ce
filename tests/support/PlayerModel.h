#pragma once
// What both player stand-ins (the Windows program and the simulated one) are, apart from their
// windows: the state the player's WM_USER queries report, its play list file, and the commands
// the tests drive it with.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Color.h"

namespace sorabell::testing {

// What the player's window shows without a skin.
inline constexpr TColor kPlayerPlain = RGBColor(40, 40, 60);

// One command of a test: a word, a blank, then its argument.
struct PlayerCommand {
    std::string verb;
    std::string arg;
};

inline PlayerCommand SplitCommand(const std::string& command) {
    const size_t blank = command.find(' ');
    return {command.substr(0, blank), blank == std::string::npos ? std::string() : command.substr(blank + 1)};
}

// "<number>\t<item>\t<item>...": the number, and the items into `items`.
inline int SplitTabList(const std::string& arg, std::vector<std::string>& items) {
    std::istringstream in(arg);
    std::string item;
    std::getline(in, item, '\t');
    const int number = std::atoi(item.c_str());
    items.clear();
    while (std::getline(in, item, '\t')) {
        items.push_back(item);
    }
    return number;
}

struct PlayerModel {
    int version = 0x2090;
    std::vector<std::string> playListLines;
    int current = 0;
    int state = 1;  // 1 playing, 3 paused, 0 stopped
    int position = 0;
    int length = 245;
    // The lines came as UTF-8 ("playlist8"): WINAMP.M3U8 has them as they are, WINAMP.M3U in
    // the code page, "?" for what it lacks.
    bool utf8Lines = false;

    // Up to version 0x1802 the player writes "WINAMP.PL", above it "WINAMP.M3U".
    std::string PlayListName() const { return version > 0x1802 ? "WINAMP.M3U" : "WINAMP.PL"; }
    // Winamp 5 heads its list with "#EXTM3U", puts an "#EXTINF:" line before each entry and
    // writes the same list as WINAMP.M3U8 too. The tests' entries are ASCII there, the same bytes
    // in both lists.
    bool WritesExtendedLists() const { return version >= 0x5000; }
    std::string PlayListText() const {
        std::string text = WritesExtendedLists() ? "#EXTM3U\r\n" : "";
        for (const std::string& line : playListLines) {
            if (WritesExtendedLists()) {
                text += "#EXTINF:" + std::to_string(length) + "," + line.substr(line.find_last_of('\\') + 1) + "\r\n";
            }
            text += line + "\r\n";
        }
        return text;
    }

    // The answer to a WM_USER query; the play list query first has `write(name, text)` write the
    // file, with `toCodePage` making the code page's text of UTF-8 lines.
    template <class WriteFile>
    intptr_t Query(uintptr_t wParam, intptr_t lParam, WriteFile write) const {
        return Query(wParam, lParam, write, [](const std::string& text) { return text; });
    }
    template <class WriteFile, class ToCodePage>
    intptr_t Query(uintptr_t wParam, intptr_t lParam, WriteFile write, ToCodePage toCodePage) const {
        switch (lParam) {
            case 0:
                return version;
            case 120: {
                const std::string text = PlayListText();
                write(PlayListName(), utf8Lines ? toCodePage(text) : text);
                if (WritesExtendedLists()) {
                    write("WINAMP.M3U8", "\xEF\xBB\xBF" + text);
                }
                return current;
            }
            case 104:
                return state;
            case 105:
                return wParam == 1 ? length : position;
            default:
                return 0;
        }
    }

    // Carries out a command that changes only the state; false for every other command.
    bool Apply(const PlayerCommand& command) {
        const std::string& verb = command.verb;
        const char* arg = command.arg.c_str();
        if (verb == "playlist" || verb == "playlist8") {  // "<index>\t<line>\t<line>..."
            current = SplitTabList(command.arg, playListLines);
            utf8Lines = verb == "playlist8";
        } else if (verb == "state") {
            state = std::atoi(arg);
        } else if (verb == "position") {
            position = std::atoi(arg);
        } else if (verb == "length") {
            length = std::atoi(arg);
        } else if (verb == "version") {
            version = static_cast<int>(std::strtol(arg, nullptr, 0));
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace sorabell::testing
