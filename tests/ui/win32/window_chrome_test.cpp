#include "ui/win32/window_chrome.h"

#include <gtest/gtest.h>

#include <string>

namespace pantrel::win32 {
namespace {

struct IconCase {
    int client;
    int expected;
};

class CentredIconTest : public ::testing::TestWithParam<IconCase> {};

// A 32-pixel icon in client areas of several widths; a too-narrow one truncates toward zero.
TEST_P(CentredIconTest, RoundsTheFreeSpaceUpAndTruncatesTowardZero) {
    EXPECT_EQ(CentredIconOffset(GetParam().client, 32), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ClientWidths, CentredIconTest,
                         ::testing::Values(IconCase{36, 2}, IconCase{37, 3}, IconCase{32, 0},
                                           IconCase{30, 0}, IconCase{29, -1}, IconCase{160, 64}),
                         [](const ::testing::TestParamInfo<IconCase>& info) {
                             std::string name =
                                 "W";  // appended: GCC 12 misreads "W" + text as overlapping
                             name += std::to_string(info.param.client);
                             return name;
                         });

// A window with a system menu of its own, destroyed with the test.
class SystemMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (window_ == nullptr) {
            GTEST_SKIP() << "no display for windows here; scripts/test-windows-window.sh runs this";
        }
    }
    void TearDown() override {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }

    std::wstring ItemText(HMENU menu, int position) const {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
        return text;
    }

    HWND window_ = nullptr;
};

TEST_F(SystemMenuTest, AppendsASeparatorAndTheEntryAfterTheStandardEntries) {
    const int standard = GetMenuItemCount(GetSystemMenu(window_, FALSE));
    AddAboutEntry(window_, "O &programie", 16);
    const HMENU menu = GetSystemMenu(window_, FALSE);
    ASSERT_EQ(GetMenuItemCount(menu), standard + 2);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(standard), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(menu, standard + 1), 16u);
    EXPECT_EQ(ItemText(menu, standard + 1), L"O &programie");
}

TEST_F(SystemMenuTest, AMissingTextAddsNeitherSeparatorNorEntry) {
    const int standard = GetMenuItemCount(GetSystemMenu(window_, FALSE));
    AddAboutEntry(window_, "", 16);
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window_, FALSE)), standard);
}

}  // namespace
}  // namespace pantrel::win32
