// SPDX-License-Identifier: MIT
// Shows dealwise.exe as a user sees it, for a photograph of the screen:
// starts the program, enters the worked example, presses Run and Help, and
// writes where the picture must show the layout's colours. Then it waits
// until the picture is taken, closes the main window as its close box does
// and checks that the program ended.
//
//   dealwise_win32_show DEALWISE_EXE READY_FILE DONE_FILE
//
// It creates READY_FILE once both windows are up and waits for DONE_FILE.
// The checks it writes, one a line, "area NAME LEFT TOP WIDTH HEIGHT RRGGBB",
// are screen rectangles that must hold at least one pixel of that colour;
// "windows LEFT TOP WIDTH HEIGHT" is the rectangle both windows fill.
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "presenter/layout_table.h"
#include "win32/control_ids.h"
#include "win32/controls.h"
#include "win32/text.h"

namespace {

using dealwise::win32::findControl;
using dealwise::win32::mainControlId;

constexpr DWORD kPatience = 60000; // milliseconds, for each wait on the other process
constexpr DWORD kPoll = 100;

struct Search {
    DWORD process = 0;
    const wchar_t* className = nullptr;
    HWND found = nullptr;
};

HWND findWindowOf(DWORD process, const wchar_t* className) {
    Search search{process, className, nullptr};
    for (DWORD waited = 0; search.found == nullptr && waited < kPatience; waited += kPoll) {
        EnumWindows(
            [](HWND window, LPARAM lParam) -> BOOL {
                auto* wanted = reinterpret_cast<Search*>(lParam);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t name[32] = {};
                GetClassNameW(window, name, 32);
                if (owner == wanted->process && std::wstring_view(name) == wanted->className &&
                    IsWindowVisible(window)) {
                    wanted->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(kPoll);
        }
    }
    return search.found;
}

const dealwise::layout::ControlSpec& layoutRow(std::string_view name) {
    return *dealwise::win32::mainControlSpec(mainControlId(name));
}

// A control's rectangle from the layout, on the screen: its containers'
// corners added up to the window's client area, then the client area's place.
RECT onScreen(HWND window, std::string_view name) {
    RECT place = dealwise::win32::toPixels(layoutRow(name).twips);
    for (std::string_view container = layoutRow(name).container; !container.empty();
         container = layoutRow(container).container) {
        const RECT outer = dealwise::win32::toPixels(layoutRow(container).twips);
        OffsetRect(&place, outer.left, outer.top);
    }
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void area(const char* name, const RECT& place, COLORREF colour) {
    std::printf("area %s %ld %ld %ld %ld %02X%02X%02X\n", name, place.left, place.top, place.right - place.left,
                place.bottom - place.top, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

bool fail(const char* what) {
    std::fprintf(stderr, "dealwise_win32_show: %s\n", what);
    return false;
}

bool show(const std::wstring& program, const std::wstring& ready, const std::wstring& done) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return fail("dealwise.exe did not start");
    }
    WaitForInputIdle(started.hProcess, kPatience);
    HWND main = findWindowOf(started.dwProcessId, dealwise::win32::kMainWindowClass);
    if (main == nullptr) {
        return fail("no main window appeared");
    }
    for (std::string_view card :
         {"cmdS1", "cmdS2", "cmdS3", "cmdH4", "cmdC9", "cmdD10", "cmdCK", "cmdRun", "cmdHelp"}) {
        SendMessageW(findControl(main, mainControlId(card)), BM_CLICK, 0, 0);
    }
    HWND help = findWindowOf(started.dwProcessId, dealwise::win32::kHelpWindowClass);
    if (help == nullptr) {
        return fail("Help showed no help window");
    }
    const std::string score =
        dealwise::win32::narrow(dealwise::win32::windowText(findControl(main, mainControlId("txtFinalScore"))));
    std::printf("score box \"%s\"\n", score.c_str());
    if (score != " 3") {
        return fail("the worked example did not score 3");
    }

    // The frame's surface in the gap between the Hearts label and the ace of Hearts.
    const RECT hearts = onScreen(main, "Hearts");
    const RECT ace = onScreen(main, "cmdH1");
    const LONG gap = (hearts.right + ace.left) / 2;
    const LONG middle = (hearts.top + hearts.bottom) / 2;
    area("Frame1-surface", RECT{gap, middle, gap + 1, middle + 1}, RGB(0, 128, 0));
    area("Label1-text", onScreen(main, "Label1"), RGB(255, 192, 128));
    area("lblDiamonds-text", onScreen(main, "lblDiamonds"), RGB(192, 0, 0));
    area("Label2-text", onScreen(main, "Label2"), RGB(255, 255, 255));
    RECT text2{};
    GetWindowRect(findControl(help, dealwise::win32::helpControlId("Text2")), &text2);
    area("Text2-box", text2, RGB(255, 255, 255));
    RECT mainOuter{};
    RECT helpOuter{};
    RECT both{};
    GetWindowRect(main, &mainOuter);
    GetWindowRect(help, &helpOuter);
    UnionRect(&both, &mainOuter, &helpOuter);
    std::printf("windows %ld %ld %ld %ld\n", both.left, both.top, both.right - both.left, both.bottom - both.top);
    std::fflush(stdout);

    CloseHandle(CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD waited = 0;
    while (GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES && waited < kPatience) {
        Sleep(kPoll);
        waited += kPoll;
    }

    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.hProcess, kPatience) != WAIT_OBJECT_0) {
        TerminateProcess(started.hProcess, 1);
        return fail("closing the main window did not end the program");
    }
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    std::printf("closing the main window ended dealwise.exe with status %lu\n", status);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return status == 0 || fail("the program ended with an error status");
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 4) {
        std::fputs("usage: dealwise_win32_show DEALWISE_EXE READY_FILE DONE_FILE\n", stderr);
        return 2;
    }
    return show(argv[1], argv[2], argv[3]) ? 0 : 1;
}
