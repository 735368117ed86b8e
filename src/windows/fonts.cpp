// SPDX-License-Identifier: MIT
#include "windows/fonts.h"

#include <QFontInfo>

#include <cstdio>

namespace dealwise {

QFont fontFor(layout::FontKind kind) {
    constexpr double kDefaultPoints = 8.25;
    constexpr double kLargePoints = 13.5;
    QFont font(kDefaultFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kind == layout::FontKind::LargeBold ? kLargePoints : kDefaultPoints);
    font.setBold(kind != layout::FontKind::Default);
    return font;
}

QString installFontSubstitute() {
    // A substitute is used only when the family itself is missing, so it can
    // be named up front; resolving the family without one first would make
    // the font library search every installed font for a stand-in, the
    // largest single cost of starting the program.
    QFont::insertSubstitution(kDefaultFamily, kSubstituteFamily);
    const QString drawn = QFontInfo(fontFor(layout::FontKind::Default)).family();
    if (drawn.compare(kDefaultFamily, Qt::CaseInsensitive) != 0 &&
        drawn.compare(kSubstituteFamily, Qt::CaseInsensitive) != 0) {
        std::fprintf(stderr,
                     "dealwise: neither \"%s\" nor \"%s\" is installed; drawing with \"%s\", which may clip "
                     "captions (install fonts-liberation)\n",
                     qPrintable(kDefaultFamily), qPrintable(kSubstituteFamily), qPrintable(drawn));
    }
    return drawn;
}

} // namespace dealwise
