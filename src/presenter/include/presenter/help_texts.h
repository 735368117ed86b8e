// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace dealwise {

// The usage instructions, each one line of text: the boxes wrap them, and the
// runs of blanks were meant to push each numbered step onto a line of its own.
inline constexpr std::string_view kHelpText1 =
    "How to use this program:                  1. This program opens its window in the upper left hand corner of the "
    "screen. Once the screen has been displayed, open the Solitaire game and position its window directly below that "
    "of the Dealwise.   2. Deal a hand of Solitaire.                3. Now, use the 52 card-deck buttons to input the "
    "hand that you see in front of you. Do this by starting at the left-most card and moving to the right.  Notice "
    "that as you hit a card-deck button, its caption changes & goes BOLD to indicate the sequence in which you have "
    "selected it.              4. After selecting the 7th card, hit the  Run button to score the hand. The SCORE "
    "appears in the SCORE window.   The SCORE can range from as low as about -12 to about (+)10. My research suggests "
    "that you should only play hands whose Scores are a 6 or higher.  Your likelyhood of winning goes down "
    "progressively  as the Score goes down.";

inline constexpr std::string_view kHelpText2 =
    "5. To Score a new hand, deal the hand, then hit the  Input New Hand button to reset the Dealwise.               "
    "6. Click the  Quit button to exit the Dealwise.";

} // namespace dealwise
