// SPDX-License-Identifier: MIT
#include "win32/colours.h"

namespace dealwise::win32 {

namespace {

using layout::Colour;
using layout::ControlKind;

bool isTextBox(ControlKind kind) noexcept {
    return kind == ControlKind::TextBox || kind == ControlKind::MultiLineTextBox;
}

COLORREF resolve(const Colour& colour, int standard) noexcept {
    switch (colour.kind) {
    case Colour::Kind::Rgb:
        return RGB(colour.red, colour.green, colour.blue);
    case Colour::Kind::HighlightedText:
        return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case Colour::Kind::Standard:
        break;
    }
    return GetSysColor(standard);
}

} // namespace

ControlColours coloursOf(const layout::ControlSpec& layoutRow) noexcept {
    const bool textBox = isTextBox(layoutRow.kind);
    return ControlColours{resolve(layoutRow.foreground, textBox ? COLOR_WINDOWTEXT : COLOR_BTNTEXT),
                          resolve(layoutRow.background, textBox ? COLOR_WINDOW : COLOR_BTNFACE)};
}

Brushes::~Brushes() {
    for (const auto& [colour, brush] : brushes_) {
        DeleteObject(brush);
    }
}

HBRUSH Brushes::brush(COLORREF colour) {
    for (const auto& [made, brush] : brushes_) {
        if (made == colour) {
            return brush;
        }
    }
    HBRUSH brush = CreateSolidBrush(colour);
    brushes_.emplace_back(colour, brush);
    return brush;
}

HBRUSH Brushes::paint(HDC dc, const layout::ControlSpec& layoutRow) {
    const ControlColours colours = coloursOf(layoutRow);
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.background);
    return brush(colours.background);
}

} // namespace dealwise::win32
