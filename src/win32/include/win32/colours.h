// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "presenter/layout_table.h"

namespace dealwise::win32 {

struct ControlColours {
    COLORREF text = 0;
    COLORREF background = 0;
};

// The colours a control is drawn in: the layout's own, or else the system's
// standard ones for its kind (the button face and button text for frames,
// labels, buttons and the output pane; the window and window text for the
// text boxes). Read from the system each time, so that a change of the
// desktop's colours shows at the next repaint.
[[nodiscard]] ControlColours coloursOf(const layout::ControlSpec& layoutRow) noexcept;

// What a control's parent answers to its WM_CTLCOLOR... message: the brush of
// its background, with the text and background colours set into the DC.
// Buttons draw their faces in the system's colours and get the default answer.
class Brushes {
public:
    Brushes() = default;
    ~Brushes();
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;

    // A solid brush of the colour, made on first use and kept.
    [[nodiscard]] HBRUSH brush(COLORREF colour);
    [[nodiscard]] HBRUSH paint(HDC dc, const layout::ControlSpec& layoutRow);

private:
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
};

} // namespace dealwise::win32
