// SPDX-License-Identifier: MIT
#include <utility>

#include "win32_test_support.h"

namespace dealwise::win32::testing {
namespace {

// A help text from its pieces, each followed by its run of blanks.
std::wstring joinedPieces(const std::vector<std::pair<std::wstring, int>>& pieces) {
    std::wstring text;
    for (const auto& [piece, blanks] : pieces) {
        text += piece + std::wstring(static_cast<std::size_t>(blanks), L' ');
    }
    return text;
}

const std::wstring kFirstText = joinedPieces({
    {L"How to use this program:", 18},
    {L"1. This program opens its window in the upper left hand corner of the screen. Once the screen has been "
     L"displayed, open the Solitaire game and position its window directly below that of the Dealwise.",
     3},
    {L"2. Deal a hand of Solitaire.", 16},
    {L"3. Now, use the 52 card-deck buttons to input the hand that you see in front of you. Do this by starting at "
     L"the left-most card and moving to the right.",
     2},
    {L"Notice that as you hit a card-deck button, its caption changes & goes BOLD to indicate the sequence in which "
     L"you have selected it.",
     14},
    {L"4. After selecting the 7th card, hit the", 2},
    {L"Run button to score the hand. The SCORE appears in the SCORE window.", 3},
    {L"The SCORE can range from as low as about -12 to about (+)10. My research suggests that you should only play "
     L"hands whose Scores are a 6 or higher.",
     2},
    {L"Your likelyhood of winning goes down progressively", 2},
    {L"as the Score goes down.", 0},
});

const std::wstring kSecondText = joinedPieces({
    {L"5. To Score a new hand, deal the hand, then hit the", 2},
    {L"Input New Hand button to reset the Dealwise.", 15},
    {L"6. Click the", 2},
    {L"Quit button to exit the Dealwise.", 0},
});

RECT clientSize(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    return area;
}

// A control's rectangle in its parent's client area.
RECT placeInParent(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(HelpWindow, HelpOpensOneWindowBesideTheMainWindow) {
    Program program;
    EXPECT_EQ(windowsOfClass(kHelpWindowClass), 0);
    SetWindowPos(program.main(), nullptr, 200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    program.click("cmdHelp");
    HWND help = program.help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(IsWindowVisible(help));
    EXPECT_EQ(GetWindow(help, GW_OWNER), nullptr);
    EXPECT_EQ(GetParent(help), nullptr);
    EXPECT_EQ(windowText(help), L"Dealwise HELP");
    EXPECT_TRUE(clientSize(help) == (RECT{0, 0, 201, 516}));
    RECT outer{};
    GetWindowRect(help, &outer);
    EXPECT_EQ(outer.left, 596);
    EXPECT_EQ(outer.top, 0);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(help, GWL_STYLE));
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));

    HWND text1 = program.helpControl("Text1");
    HWND text2 = program.helpControl("Text2");
    EXPECT_TRUE(placeInParent(text1) == (RECT{8, 16, 193, 369}));
    EXPECT_TRUE(placeInParent(text2) == (RECT{8, 368, 193, 449}));
    // Text2 covers the foot of Text1.
    EXPECT_EQ(ChildWindowFromPointEx(help, POINT{20, 368}, CWP_SKIPINVISIBLE), text2);
    EXPECT_EQ(std::wstring(fontOf(text1).lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(fontOf(text1).lfHeight, -11);
    const auto boxStyle = static_cast<DWORD>(GetWindowLongPtrW(text1, GWL_STYLE));
    EXPECT_EQ(boxStyle & (WS_VSCROLL | WS_HSCROLL), 0U); // no scroll bars
    EXPECT_NE(boxStyle & ES_MULTILINE, 0U);
    EXPECT_EQ(boxStyle & (ES_AUTOHSCROLL | ES_READONLY), 0U); // wrapped, and the user may edit it

    program.click("cmdHelp");
    program.click("cmdHelp");
    EXPECT_EQ(program.help(), help);
    EXPECT_EQ(windowsOfClass(kHelpWindowClass), 1);

    // The main window goes on working while help is open.
    program.click("cmdS1");
    EXPECT_EQ(program.text("cmdS1"), "1");
}

TEST(HelpWindow, HelpShowsBothTextsExactly) {
    Program program;
    program.click("cmdHelp");
    EXPECT_EQ(windowText(program.helpControl("Text1")), kFirstText);
    EXPECT_EQ(windowText(program.helpControl("Text2")), kSecondText);
    EXPECT_TRUE(kFirstText.find(L'\n') == std::wstring::npos && kFirstText.size() == 919);
    EXPECT_EQ(program.focused(), "Text1");
}

TEST(HelpWindow, TabGoesFromBoxToBox) {
    Program program;
    program.click("cmdHelp");
    program.press(VK_TAB);
    EXPECT_EQ(program.focused(), "Text2");
    program.press(VK_TAB);
    EXPECT_EQ(program.focused(), "Text1");
    EXPECT_EQ(windowText(program.helpControl("Text1")), kFirstText); // no tab typed into the text
}

TEST(HelpWindow, EditsLastWhileOpenAndAReopenedWindowIsFresh) {
    Program program;
    program.click("cmdHelp");
    HWND first = program.helpControl("Text1");
    SendMessageW(first, EM_SETSEL, static_cast<WPARAM>(kFirstText.size()), static_cast<LPARAM>(kFirstText.size()));
    program.type(" my note");
    program.click("cmdHelp");
    EXPECT_EQ(windowText(first), kFirstText + L" my note");

    program.close(program.help());
    EXPECT_FALSE(IsWindowVisible(program.help()));
    EXPECT_TRUE(IsWindowVisible(program.main()));
    program.click("cmdHelp");
    EXPECT_TRUE(IsWindowVisible(program.help()));
    EXPECT_EQ(windowText(program.helpControl("Text1")), kFirstText);
    EXPECT_EQ(windowText(program.helpControl("Text2")), kSecondText);
    EXPECT_EQ(windowsOfClass(kHelpWindowClass), 1);
}

TEST(HelpWindow, HelpBringsBackAMinimisedHelpWindow) {
    Program program;
    program.click("cmdHelp");
    SendMessageW(program.help(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    program.pump().run();
    EXPECT_TRUE(IsIconic(program.help()));
    program.click("cmdHelp");
    EXPECT_FALSE(IsIconic(program.help()));
    EXPECT_TRUE(IsWindowVisible(program.help()));
    RECT outer{};
    GetWindowRect(program.help(), &outer);
    EXPECT_EQ(outer.left, 596);
}

} // namespace
} // namespace dealwise::win32::testing
