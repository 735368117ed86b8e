// SPDX-License-Identifier: MIT
#include "win32/controls.h"

#include <stdexcept>

#include "win32/text.h"

namespace dealwise::win32 {

namespace {

using layout::ControlKind;
using layout::ControlSpec;

// The siblings that overlap (Quit over Run's frame, the pane over the
// heading of its frame) each draw only where no sibling above covers them.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// The icon group of the version resource.
constexpr WORD kApplicationIcon = 1;

std::size_t rowOf(std::span<const ControlSpec> table, std::string_view name) {
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (table[row].name == name) {
            return row;
        }
    }
    throw std::logic_error("the layout names a container it does not hold");
}

HINSTANCE instance() noexcept { return GetModuleHandleW(nullptr); }

} // namespace

ControlClass controlClassOf(ControlKind kind) noexcept {
    switch (kind) {
    case ControlKind::Frame:
        // A frame holds controls: the dialog keys look for them inside it.
        return {L"BUTTON", kChild | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlKind::Label:
        // Captions wrap at spaces to the label's width, and an "&" is an "&".
        return {L"STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::CommandButton:
        return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::TextBox:
        return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineTextBox:
        // Wrapped at the box's width, with no scroll bars; Enter starts a line.
        return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                WS_EX_CLIENTEDGE};
    case ControlKind::PictureBox:
        // The output pane: printed lines, one under the other, that nothing
        // wraps or scrolls into view; the user may select and copy them.
        return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                WS_EX_CLIENTEDGE};
    }
    return {};
}

RECT toPixels(const layout::Rect& twips) noexcept {
    const int left = layout::toPixels(twips.left);
    const int top = layout::toPixels(twips.top);
    return RECT{left, top, left + layout::toPixels(twips.width), top + layout::toPixels(twips.height)};
}

RECT outerRect(const layout::WindowSpec& windowLayout) noexcept {
    RECT frame{0, 0, layout::toPixels(windowLayout.clientWidth), layout::toPixels(windowLayout.clientHeight)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const int left = layout::toPixels(windowLayout.outerLeft);
    const int top = layout::toPixels(windowLayout.outerTop);
    return RECT{left, top, left + (frame.right - frame.left), top + (frame.bottom - frame.top)};
}

void registerWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance(), name, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance();
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(kApplicationIcon), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(kApplicationIcon), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0) {
        throw std::runtime_error("the window class could not be registered");
    }
}

HWND createWindow(const wchar_t* className, const layout::WindowSpec& windowLayout, void* owner) {
    const RECT outer = outerRect(windowLayout);
    HWND window =
        CreateWindowExW(0, className, widen(windowLayout.caption).c_str(), kWindowStyle, outer.left, outer.top,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance(), owner);
    if (window == nullptr) {
        throw std::runtime_error("the window could not be made");
    }
    return window;
}

std::vector<HWND> buildControls(HWND window, std::span<const ControlSpec> table, int firstId, const Fonts& fonts,
                                SUBCLASSPROC procedure, DWORD_PTR owner) {
    std::vector<HWND> controls(table.size(), nullptr);
    for (std::size_t row = 0; row < table.size(); ++row) {
        const ControlSpec& entry = table[row];
        HWND parent = entry.container.empty() ? window : controls[rowOf(table, entry.container)];
        const ControlClass kind = controlClassOf(entry.kind);
        const RECT place = toPixels(entry.twips);
        const auto id = static_cast<INT_PTR>(firstId + static_cast<int>(row));
        HWND control = CreateWindowExW(kind.exStyle, kind.name, widen(entry.caption).c_str(), kind.style, place.left,
                                       place.top, place.right - place.left, place.bottom - place.top, parent,
                                       reinterpret_cast<HMENU>(id), instance(), nullptr);
        if (control == nullptr) {
            throw std::runtime_error("a control could not be made");
        }
        controls[row] = control;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.font(entry.font)), FALSE);
        if (entry.kind == ControlKind::PictureBox) {
            // Printed lines start at the pane's left edge, and there is no
            // limit to how many a session prints.
            SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
            SendMessageW(control, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
        }
        SetWindowSubclass(control, procedure, 0, owner);
    }
    // Sending each to the bottom in the listed order leaves the first-listed
    // sibling on top.
    for (HWND control : controls) {
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return controls;
}

} // namespace dealwise::win32
