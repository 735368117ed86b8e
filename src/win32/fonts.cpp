// SPDX-License-Identifier: MIT
#include "win32/fonts.h"

#include <cwchar>

namespace dealwise::win32 {

namespace {

constexpr LONG kDefaultHeight = 11; // 8.25 pt at 96 dots per inch
constexpr LONG kLargeHeight = 18;   // 13.5 pt

std::size_t slotOf(layout::FontKind kind) noexcept { return static_cast<std::size_t>(kind); }

} // namespace

LOGFONTW logFontFor(layout::FontKind kind) noexcept {
    LOGFONTW font{};
    // A negative height asks for the character height, without the leading:
    // the height a point size means.
    font.lfHeight = -(kind == layout::FontKind::LargeBold ? kLargeHeight : kDefaultHeight);
    font.lfWeight = kind == layout::FontKind::Default ? FW_NORMAL : FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    std::wcsncpy(font.lfFaceName, kDefaultFamily, LF_FACESIZE - 1);
    return font;
}

Fonts::Fonts() {
    for (layout::FontKind kind :
         {layout::FontKind::Default, layout::FontKind::DefaultBold, layout::FontKind::LargeBold}) {
        const LOGFONTW description = logFontFor(kind);
        fonts_[slotOf(kind)] = CreateFontIndirectW(&description);
    }
}

Fonts::~Fonts() {
    for (HFONT font : fonts_) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
}

HFONT Fonts::font(layout::FontKind kind) const noexcept { return fonts_[slotOf(kind)]; }

} // namespace dealwise::win32
