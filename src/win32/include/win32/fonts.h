// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <array>

#include "presenter/layout_table.h"

namespace dealwise::win32 {

// The family every control asks for. Where the system lacks it, its own font
// mapper picks the nearest it has.
inline constexpr wchar_t kDefaultFamily[] = L"MS Sans Serif";

// The layout's fonts as the system describes them: "MS Sans Serif" 8.25 pt,
// normal or bold, and 13.5 pt bold. The program does not declare itself
// DPI aware, so the system shows it 96 dots per inch and scales its windows
// as a whole: there 8.25 pt is a character height of 11 pixels and 13.5 pt
// one of 18, and the layout's twips are pixels at 15 a pixel.
[[nodiscard]] LOGFONTW logFontFor(layout::FontKind kind) noexcept;

// The three fonts, made once for both windows and deleted with them.
class Fonts {
public:
    Fonts();
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    [[nodiscard]] HFONT font(layout::FontKind kind) const noexcept;

private:
    std::array<HFONT, 3> fonts_{};
};

} // namespace dealwise::win32
