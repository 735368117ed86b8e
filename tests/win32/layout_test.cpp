// SPDX-License-Identifier: MIT
#include <sstream>

#include "win32/colours.h"
#include "win32_test_support.h"

namespace dealwise::win32::testing {
namespace {

struct Expected {
    std::string name;
    std::wstring className; // as GetClassName reports it
    std::string parent;
    RECT pixels; // in the parent's client area
    std::wstring caption;
    LONG height = -11; // 8.25 pt; 13.5 pt is -18
    bool bold = false;
};

// The main window's controls in pixels, as a person measuring the window
// would write them down.
std::vector<Expected> expectedControls() {
    std::vector<Expected> rows{
        {"Frame1", L"Button", "frmMain", {0, 0, 593, 121}, L"Input Your Current Hand Here, in Left-toRight Sequence:"},
        {"lblSpades", L"Static", "Frame1", {8, 16, 65, 33}, L"Spades"},
        {"lblClubs", L"Static", "Frame1", {8, 40, 65, 57}, L"Clubs"},
        {"lblDiamonds", L"Static", "Frame1", {8, 64, 65, 81}, L"Diamonds"},
        {"Hearts", L"Static", "Frame1", {8, 88, 65, 105}, L"Hearts"},
        {"Frame2", L"Button", "Frame1", {392, 8, 569, 57}, L"Hit \"Run\" after entering 7th Card"},
        {"cmdRun", L"Button", "Frame2", {8, 16, 73, 41}, L"Run"},
        {"Label1", L"Static", "Frame1", {408, 56, 473, 89}, L"Score:", -18, true},
        {"txtFinalScore", L"Edit", "Frame1", {472, 56, 529, 85}, L"", -18, true},
        {"Frame4", L"Button", "frmMain", {104, 168, 433, 441}, L""},
        {"picOutput", L"Edit", "Frame4", {24, 24, 305, 265}, L""},
        {"Label5", L"Static", "Frame4", {16, 8, 153, 41}, L"  SCORING DETAILS:", -11, true},
        {"cmdReset", L"Button", "Frame1", {400, 88, 497, 113}, L"Input New Hand"},
        {"cmdQuit", L"Button", "Frame1", {480, 24, 545, 49}, L"Quit"},
        {"Label2", L"Static", "Frame1", {536, 56, 585, 89}, L"Play Only 4or More"},
        {"cmdHelp", L"Button", "Frame1", {504, 88, 561, 113}, L"Help"},
    };
    const int lefts[] = {72, 96, 120, 144, 168, 192, 216, 240, 264, 288, 320, 344, 368};
    const char* parts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const wchar_t* captions[] = {L"A", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10", L"J", L"Q", L"K"};
    const char* suits = "SCDH";
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 13; ++column) {
            const int left = lefts[column];
            const int top = 16 + 24 * row;
            rows.push_back({std::string("cmd") + suits[row] + parts[column], L"Button", "Frame1",
                            RECT{left, top, left + (column == 9 ? 25 : 17), top + 17}, captions[column]});
        }
    }
    return rows;
}

// The controls the Tab key visits, in order, as a user would list them: the
// Spades row, the other three aces, the other rows from their 2, then the
// commands (Run only while it is enabled), and round to the first again.
std::vector<std::string> expectedTabWalk(bool runEnabled) {
    const char* parts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    std::vector<std::string> order;
    for (const char* part : parts) {
        order.push_back(std::string("cmdS") + part);
    }
    order.insert(order.end(), {"cmdC1", "cmdD1", "cmdH1"});
    for (const char* suit : {"C", "D", "H"}) {
        for (int i = 1; i < 13; ++i) {
            order.push_back(std::string("cmd") + suit + parts[i]);
        }
    }
    if (runEnabled) {
        order.emplace_back("cmdRun");
    }
    order.insert(order.end(), {"txtFinalScore", "picOutput", "cmdReset", "cmdQuit", "cmdHelp", "cmdS1"});
    return order;
}

std::vector<std::string> tabWalk(Program& program, std::string_view from) {
    SetFocus(program.control(from));
    std::vector<std::string> visited{program.focused()};
    for (int step = 0; step < 80; ++step) {
        program.press(VK_TAB);
        visited.push_back(program.focused());
        if (visited.back() == from) {
            break;
        }
    }
    return visited;
}

std::string nameOf(const Program& program, HWND window) {
    if (window == program.main()) {
        return "frmMain";
    }
    const layout::ControlSpec* layoutRow = mainControlSpec(GetDlgCtrlID(window));
    return layoutRow != nullptr ? std::string(layoutRow->name) : std::string("?");
}

RECT placeInParent(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string describe(const RECT& r) {
    std::ostringstream text;
    text << r.left << "," << r.top << " to " << r.right << "," << r.bottom;
    return text.str();
}

// The colours a control is drawn in: what its parent answers to the
// WM_CTLCOLOR... message the control sends while it paints.
ControlColours paintedColours(HWND control, UINT message) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(control), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH described{};
    GetObjectW(brush, sizeof described, &described);
    const ControlColours colours{GetTextColor(dc), described.lbColor};
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colours;
}

// The size of the text in the control's font: on one line, or wrapped at
// the given width.
SIZE drawnSize(HWND control, const std::wstring& text, int wrapWidth = 0) {
    HDC dc = GetDC(control);
    auto previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT area{0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

// The room a push button leaves its caption: its bevel takes two pixels on each side.
constexpr int kButtonBevels = 4;

TEST(Layout, WindowHasItsCaptionSizeAndPlace) {
    Program program;
    wchar_t className[16] = {};
    GetClassNameW(program.main(), className, 16);
    EXPECT_EQ(std::wstring(className), L"frmMain");
    EXPECT_EQ(windowText(program.main()), L"Dealwise");
    RECT client{};
    GetClientRect(program.main(), &client);
    EXPECT_EQ(client.right, 589);
    EXPECT_EQ(client.bottom, 118);
    RECT outer{};
    GetWindowRect(program.main(), &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(program.main(), GWL_STYLE));
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    // At the stored size only the hand-entry frame shows: Frame4 lies below the client area.
    RECT frame4 = placeInParent(program.control("Frame4"));
    EXPECT_GE(frame4.top, client.bottom);
}

TEST(Layout, EveryControlIsWhereAndWhatTheTableSays) {
    Program program;
    int count = 0;
    EnumChildWindows(
        program.main(), [](HWND, LPARAM counter) -> BOOL { return ++*reinterpret_cast<int*>(counter) > 0; },
        reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, 68);
    for (const Expected& row : expectedControls()) {
        SCOPED_TRACE(row.name);
        HWND control = program.control(row.name);
        ASSERT_NE(control, nullptr);
        wchar_t className[16] = {};
        GetClassNameW(control, className, 16);
        EXPECT_EQ(std::wstring(className), row.className);
        EXPECT_EQ(nameOf(program, GetParent(control)), row.parent);
        EXPECT_EQ(describe(placeInParent(control)), describe(row.pixels));
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, row.name != "cmdRun");
        EXPECT_TRUE(IsWindowVisible(control));
        const LOGFONTW font = fontOf(control);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, row.height);
        EXPECT_EQ(font.lfWeight, row.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(windowText(control), row.caption);
    }
}

TEST(Layout, EachKindIsItsSystemControl) {
    Program program;
    auto style = [&](const char* name) {
        return static_cast<DWORD>(GetWindowLongPtrW(program.control(name), GWL_STYLE));
    };
    auto exStyle = [&](const char* name) {
        return static_cast<DWORD>(GetWindowLongPtrW(program.control(name), GWL_EXSTYLE));
    };
    for (const char* frame : {"Frame1", "Frame2", "Frame4"}) {
        EXPECT_EQ(style(frame) & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX)) << frame;
        EXPECT_EQ(style(frame) & WS_TABSTOP, 0U) << frame;
    }
    for (const char* button : {"cmdS1", "cmdD10", "cmdRun", "cmdReset", "cmdQuit", "cmdHelp"}) {
        // A plain push button: none is the default, so Enter presses only the focused one.
        EXPECT_EQ(style(button) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << button;
        EXPECT_NE(style(button) & WS_TABSTOP, 0U) << button;
    }
    for (const char* label : {"lblSpades", "Label1", "Label2", "Label5"}) {
        EXPECT_EQ(style(label) & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT)) << label; // wraps at spaces
        EXPECT_EQ(style(label) & WS_TABSTOP, 0U) << label;
    }
    EXPECT_EQ(style("txtFinalScore") & (ES_MULTILINE | ES_READONLY), 0U);
    EXPECT_NE(exStyle("txtFinalScore") & WS_EX_CLIENTEDGE, 0U);
    // The pane: read-only lines, a sunken border, no scroll bars, as on the Qt window.
    EXPECT_EQ(style("picOutput") & (ES_MULTILINE | ES_READONLY), static_cast<DWORD>(ES_MULTILINE | ES_READONLY));
    EXPECT_EQ(style("picOutput") & (WS_VSCROLL | WS_HSCROLL), 0U);
    EXPECT_NE(exStyle("picOutput") & WS_EX_CLIENTEDGE, 0U);
}

TEST(Layout, ColoursFollowTheTable) {
    Program program;
    const COLORREF darkGreen = RGB(0, 128, 0), white = RGB(255, 255, 255), darkRed = RGB(192, 0, 0),
                   orange = RGB(255, 192, 128);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), faceText = GetSysColor(COLOR_BTNTEXT);
    auto colours = [&](const char* name, UINT message = WM_CTLCOLORSTATIC) {
        const ControlColours painted = paintedColours(program.control(name), message);
        return std::make_pair(painted.background, painted.text);
    };
    EXPECT_EQ(colours("Frame1"), std::make_pair(darkGreen, GetSysColor(COLOR_HIGHLIGHTTEXT)));
    EXPECT_EQ(colours("Frame2"), std::make_pair(darkGreen, white));
    EXPECT_EQ(colours("Label1"), std::make_pair(darkGreen, orange));
    EXPECT_EQ(colours("Label2"), std::make_pair(darkGreen, white));
    EXPECT_EQ(colours("lblDiamonds"), std::make_pair(face, darkRed));
    EXPECT_EQ(colours("Hearts"), std::make_pair(face, darkRed));
    EXPECT_EQ(colours("lblSpades"), std::make_pair(face, faceText));
    EXPECT_EQ(colours("lblClubs"), std::make_pair(face, faceText));
    EXPECT_EQ(colours("Frame4"), std::make_pair(face, faceText));
    EXPECT_EQ(colours("Label5"), std::make_pair(face, faceText));
    EXPECT_EQ(colours("picOutput"), std::make_pair(face, faceText));
    // A frame's colours do not leak into what it holds.
    EXPECT_EQ(colours("txtFinalScore", WM_CTLCOLOREDIT),
              std::make_pair(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)));
}

TEST(Layout, OverlappingControlsStackAsListed) {
    Program program;
    HWND frame1 = program.control("Frame1");
    HWND quit = program.control("cmdQuit");
    RECT place = placeInParent(quit);
    const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    EXPECT_EQ(nameOf(program, ChildWindowFromPointEx(frame1, centre, CWP_SKIPINVISIBLE)), "cmdQuit");
    HWND frame4 = program.control("Frame4");
    EXPECT_EQ(nameOf(program, ChildWindowFromPointEx(frame4, POINT{30, 30}, CWP_SKIPINVISIBLE)), "picOutput");
    EXPECT_EQ(nameOf(program, ChildWindowFromPointEx(frame4, POINT{30, 12}, CWP_SKIPINVISIBLE)), "Label5");
    EXPECT_EQ(nameOf(program, ChildWindowFromPointEx(frame1, POINT{40, 40}, CWP_SKIPINVISIBLE)), "lblClubs");
    EXPECT_EQ(nameOf(program, ChildWindowFromPointEx(program.control("Frame2"), POINT{10, 18}, CWP_SKIPINVISIBLE)),
              "cmdRun");
    // The score box covers the last pixel column of its label.
    EXPECT_EQ(nameOf(program, ChildWindowFromPointEx(frame1, POINT{472, 60}, CWP_SKIPINVISIBLE)), "txtFinalScore");
}

TEST(Layout, TabVisitsTheControlsInTheirOrder) {
    Program program;
    EXPECT_EQ(tabWalk(program, "cmdS1"), expectedTabWalk(false));
    program.clickCards({"cmdS1", "cmdS2", "cmdS3", "cmdS4", "cmdS5", "cmdS6", "cmdS7"});
    EXPECT_EQ(tabWalk(program, "cmdS1"), expectedTabWalk(true));
    // Shift+Tab goes back the same way.
    SetFocus(program.control("cmdS1"));
    program.press(VK_TAB, true);
    EXPECT_EQ(program.focused(), "cmdHelp");
    program.press(VK_TAB, true);
    EXPECT_EQ(program.focused(), "cmdQuit");
    SetFocus(program.control("txtFinalScore"));
    program.press(VK_TAB, true);
    EXPECT_EQ(program.focused(), "cmdRun");
    program.press(VK_TAB, true);
    EXPECT_EQ(program.focused(), "cmdHK");
}

TEST(Layout, EveryCaptionFitsItsControl) {
    Program program;
    auto textWidth = [&](std::string_view name) {
        return drawnSize(program.control(name), windowText(program.control(name))).cx;
    };
    auto clientWidth = [&](std::string_view name) {
        RECT area{};
        GetClientRect(program.control(name), &area);
        return area.right;
    };
    for (const Expected& row : expectedControls()) {
        if (row.name.rfind("cmd", 0) == 0) {
            EXPECT_LE(textWidth(row.name) + kButtonBevels, clientWidth(row.name)) << row.name;
        }
    }
    for (const char* name : {"lblSpades", "lblClubs", "lblDiamonds", "Hearts", "Label1", "Label2", "Label5"}) {
        HWND label = program.control(name);
        RECT area{};
        GetClientRect(label, &area);
        const SIZE drawn = drawnSize(label, windowText(label), area.right);
        EXPECT_LE(drawn.cx, area.right) << name;
        EXPECT_LE(drawn.cy, area.bottom) << name << ": " << drawn.cx << " x " << drawn.cy << " px";
    }
    // "Play Only" above "4or More".
    const SIZE line = drawnSize(program.control("Label2"), L"Play");
    EXPECT_EQ(drawnSize(program.control("Label2"), L"Play Only 4or More", clientWidth("Label2")).cy, 2 * line.cy);

    // The entry numbers in bold: 1 to 9 inside the bevels, and 10 on the wide
    // button. A two-digit number on a 17-pixel button is wider than the room
    // inside its bevels in the design's own font (bold "11" is 14 pixels in
    // MS Sans Serif), but it stays on the button.
    const std::vector<std::string_view> entered{"cmdS1", "cmdS2", "cmdS3", "cmdS4",  "cmdS5", "cmdS6",
                                                "cmdS7", "cmdS8", "cmdS9", "cmdS10", "cmdSJ"};
    for (std::string_view name : entered) {
        program.click(name);
    }
    for (std::string_view name : entered) {
        EXPECT_TRUE(isBold(program.control(name))) << name;
        const int room = clientWidth(name) - (name == "cmdSJ" ? 0 : kButtonBevels);
        EXPECT_LE(textWidth(name), room) << name << " \"" << program.text(name) << "\"";
    }
    EXPECT_EQ(program.text("cmdSJ"), "11");
}

// The fonts as the system draws them: the family it found for the one asked
// (on a machine without "MS Sans Serif" its font mapper picks a stand-in,
// named in the test's output) at the character height asked for.
TEST(Layout, TheFontsAreDrawnAtTheirSizes) {
    Program program;
    for (const char* name : {"lblSpades", "Label1", "Label5", "txtFinalScore"}) {
        HWND control = program.control(name);
        HDC dc = GetDC(control);
        auto previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        const LOGFONTW asked = fontOf(control);
        std::printf("%s asks for \"%s\" %ld, weight %ld; the system draws \"%s\": characters %ld px high, "
                    "average width %ld px\n",
                    name, narrow(asked.lfFaceName).c_str(), asked.lfHeight, asked.lfWeight, narrow(face).c_str(),
                    metrics.tmHeight - metrics.tmInternalLeading, metrics.tmAveCharWidth);
        // An outline font is drawn at the height asked. A raster font, such
        // as the bitmap MS Sans Serif, has a few sizes, and the system takes
        // the nearest that is not larger: its 12 pt (16 pixels) for 13.5 pt.
        const LONG height = metrics.tmHeight - metrics.tmInternalLeading;
        if ((metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0) {
            EXPECT_EQ(height, -asked.lfHeight) << name;
        } else {
            EXPECT_LE(height, -asked.lfHeight) << name;
            EXPECT_GE(height, -asked.lfHeight - 2) << name;
        }
    }
}

} // namespace
} // namespace dealwise::win32::testing
