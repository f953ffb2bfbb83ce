#include <gtest/gtest.h>

#include "hook/HookRules.h"

namespace sorabell::hook {
namespace {

constexpr intptr_t kClick = 245 | (100 << 16);

TEST(HookRules, QueuedMessagesOfTheMainWindowArePosted) {
    EXPECT_EQ(MessageHookWatch(kWmPaint), Watch::Main);
    EXPECT_EQ(MessageHookPost(kWmPaint, Seen::Main, 77).message, UM_HOOK_PAINT);
    EXPECT_EQ(MessageHookPost(kWmPaint, Seen::Main, 77).lParam, 0);
    EXPECT_EQ(MessageHookPost(kWmTimer, Seen::Main, 0).message, UM_HOOK_TIMER);
    EXPECT_EQ(MessageHookPost(kWmLButtonDown, Seen::Main, kClick).message, UM_HOOK_LBUTTONDOWN);
    EXPECT_EQ(MessageHookPost(kWmLButtonDown, Seen::Main, kClick).lParam, 0);

    const Post up = MessageHookPost(kWmLButtonUp, Seen::Main, kClick);
    EXPECT_EQ(up.message, UM_HOOK_LBUTTONUP);
    EXPECT_EQ(up.wParam, 0u);
    EXPECT_EQ(up.lParam & 0xFFFF, 245);
    EXPECT_EQ((up.lParam >> 16) & 0xFFFF, 100);
}

TEST(HookRules, QueuedMessagesElsewhereOrUnlistedPostNothing) {
    EXPECT_EQ(MessageHookPost(kWmPaint, Seen::Neither, 0).message, 0u);
    EXPECT_EQ(MessageHookPost(kWmPaint, Seen::PlayList, 0).message, 0u);
    EXPECT_EQ(MessageHookWatch(kWmSetText), Watch::Nothing);
    EXPECT_EQ(MessageHookWatch(0x0100 /* WM_KEYDOWN */), Watch::Nothing);
    EXPECT_EQ(MessageHookWatch(kWmSize), Watch::Nothing);
}

TEST(HookRules, SentMessagesFollowTheirWindow) {
    EXPECT_EQ(CallHookWatch(kWmSize), Watch::Main);
    EXPECT_EQ(CallHookWatch(kWmGetMinMaxInfo), Watch::Main);
    EXPECT_EQ(CallHookWatch(kWmDisplayChange), Watch::Main);
    EXPECT_EQ(CallHookWatch(kWmSetText), Watch::MainThenPlayList);
    EXPECT_EQ(CallHookWatch(kWmEnable), Watch::MainThenPlayList);
    EXPECT_EQ(CallHookWatch(kWmImeSetContext), Watch::MainThenPlayList);
    EXPECT_EQ(CallHookWatch(kWmPaint), Watch::Nothing);

    EXPECT_EQ(CallHookPost(kWmSize, Seen::Main, 5).message, UM_HOOK_SIZE);
    EXPECT_EQ(CallHookPost(kWmSize, Seen::PlayList, 5).message, 0u);
    EXPECT_EQ(CallHookPost(kWmGetMinMaxInfo, Seen::Main, 5).message, UM_HOOK_GETMINMAX);
    EXPECT_EQ(CallHookPost(kWmDisplayChange, Seen::Main, 5).message, UM_HOOK_GETMINMAX);
    EXPECT_EQ(CallHookPost(kWmDisplayChange, Seen::PlayList, 5).message, 0u);
}

TEST(HookRules, SetTextCarriesItsTextAddressAsWParamOnTheMainWindow) {
    const Post main = CallHookPost(kWmSetText, Seen::Main, 0x12345678);
    EXPECT_EQ(main.message, UM_HOOK_SETTEXT);
    EXPECT_EQ(main.wParam, 0x12345678u);
    EXPECT_EQ(main.lParam, 0);

    const Post playList = CallHookPost(kWmSetText, Seen::PlayList, 0x12345678);
    EXPECT_EQ(playList.message, UM_HOOK_WINDOWCHANGE);
    EXPECT_EQ(playList.wParam, 0u);
    EXPECT_EQ(playList.lParam, 0x12345678);

    EXPECT_EQ(CallHookPost(kWmSetText, Seen::Neither, 1).message, 0u);
}

TEST(HookRules, WindowChangesCarryTheirLParamFromEitherWindow) {
    for (const uint32_t message : {kWmEnable, kWmImeSetContext}) {
        for (const Seen seen : {Seen::Main, Seen::PlayList}) {
            const Post post = CallHookPost(message, seen, 1);
            EXPECT_EQ(post.message, UM_HOOK_WINDOWCHANGE);
            EXPECT_EQ(post.lParam, 1);
            EXPECT_EQ(post.wParam, 0u);
        }
    }
}

TEST(HookRules, AWindowlessMessageIsNeverWinamps) {
    EXPECT_TRUE(IsWindow(0x1234, 0x1234));
    EXPECT_FALSE(IsWindow(0x1234, 0x5678));
    EXPECT_FALSE(IsWindow(0, 0));  // Winamp absent and a thread message
    EXPECT_FALSE(IsWindow(0x1234, 0));
}

TEST(HookRules, TheSharedRecordIsTwelveBytesAndEmptyWithoutItsMessageHook) {
    HookShare share;
    EXPECT_TRUE(share.empty());
    share.displayWindow = 0x10;
    EXPECT_TRUE(share.empty());
    share.messageHook = 0x20;
    EXPECT_FALSE(share.empty());
    EXPECT_EQ(UM_HOOK_PAINT, 1030u);
    EXPECT_EQ(UM_HOOK_TIMER, 1038u);
    EXPECT_EQ(UM_RELOAD_SETTINGS, 1032u);
}

TEST(HookRules, AFailedReadIsShownOnceOutsideTheInstallingProcessAndNeverFromItsOwnBox) {
    EXPECT_TRUE(ReadsShare(true, false));
    EXPECT_FALSE(ReadsShare(true, true)) << "the failure's message box runs its messages through the hooks";
    EXPECT_FALSE(ReadsShare(false, false)) << "a complete copy is never read again";
    EXPECT_TRUE(ShowsReadFailure(false, false));
    EXPECT_FALSE(ShowsReadFailure(false, true)) << "another program shows it once";
    EXPECT_TRUE(ShowsReadFailure(true, true)) << "the display program's own process shows each failure";
}

}  // namespace
}  // namespace sorabell::hook
