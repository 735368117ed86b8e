// SPDX-License-Identifier: MIT
#include "cli/hand_collector.h"

#include <algorithm>

namespace dealwise::cli {

std::string HandCollector::describeFault() const {
    switch (fault()) {
    case HandFault::None:
        return {};
    case HandFault::NotACard:
        return quoteToken(badToken_) + " is not a card; " + std::string(kCardShape);
    case HandFault::WrongCount: {
        const std::string count = given_ == 0   ? std::string("no cards")
                                  : given_ == 1 ? std::string("1 card")
                                                : std::to_string(given_) + " cards";
        return count + " given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC";
    }
    case HandFault::RepeatedCard: {
        const Card repeated = cards_[repeatPlace_ - 1];
        const auto firstPlace =
            static_cast<std::size_t>(std::find(cards_.begin(), cards_.end(), repeated) - cards_.begin()) + 1;
        return cardText(repeated) + " is repeated (cards " + std::to_string(firstPlace) + " and " +
               std::to_string(repeatPlace_) + "); the seven cards of a hand are all different";
    }
    }
    return {};
}

} // namespace dealwise::cli
