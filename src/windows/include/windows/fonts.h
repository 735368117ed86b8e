// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

#include "windows/layout_table.h"

namespace dealwise {

// The family every control asks for. Where it is not installed, a metric
// substitute of the same widths stands in for it (see installFontSubstitute).
inline const QString kDefaultFamily = QStringLiteral("MS Sans Serif");
inline const QString kSubstituteFamily = QStringLiteral("Liberation Sans");

[[nodiscard]] QFont fontFor(layout::FontKind kind);

// Maps the default family to the substitute when the system lacks it; says so
// on stderr when neither is there, rather than letting a wide fallback font
// clip the captions without a word. Returns the family that will be drawn.
QString installFontSubstitute();

} // namespace dealwise
