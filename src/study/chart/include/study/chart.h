// SPDX-License-Identifier: MIT
#pragma once

#include <QRgb>
#include <QSize>
#include <QString>

#include "study/tally.h"

namespace dealwise::study {

// The colours of the win rate points, of the share-of-deals bars and of the
// winnable rate points, opaque so that they can be told apart on the picture.
inline constexpr QRgb kWinRateColour = 0xff1f4e9a;
inline constexpr QRgb kShareColour = 0xffb8c4d6;
inline constexpr QRgb kWinnableColour = 0xffd95f02;

// Draws the win rate of each score, with its 95 % Wilson interval as a
// vertical bar, over bars of the share of deals that got that score (on their
// own axis, on the right), and writes the picture both as SVG and as a PNG of
// `size` pixels. When the exact solver decided some deals, the winnable rate
// of each score and its interval stand beside the greedy player's win rate.
//
// Qt Charts draws with QtWidgets, so a QApplication must exist while this
// runs, and this must run on its thread; the caller makes it (on the
// "offscreen" platform where there is no display). Without one, or when a
// file cannot be written, it returns false and throws nothing. Each file is
// replaced whole or not at all, never left half written.
[[nodiscard]] bool writeChart(const StudyTally& tally, const QString& svgPath, const QString& pngPath,
                              const QString& title, QSize size = QSize(960, 600)) noexcept;

} // namespace dealwise::study
