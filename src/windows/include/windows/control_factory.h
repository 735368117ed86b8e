// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <QWidget>

#include <span>

#include "windows/layout_table.h"

namespace dealwise {

// Builds a window's controls from its layout table: kind, parent, geometry,
// caption, font, colours, stacking and tab order. Returns them by name.
QHash<QString, QWidget*> buildControls(QWidget& window, std::span<const layout::ControlSpec> table);

// The window's own caption, font and client size, and its frame's place.
void placeWindow(QWidget& window, const layout::WindowSpec& entry);

// The picture in the corner of both windows, and of the program on the desktop.
[[nodiscard]] QIcon applicationIcon();

[[nodiscard]] QRect toPixels(const layout::Rect& twips);

} // namespace dealwise
