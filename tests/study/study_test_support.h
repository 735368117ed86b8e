// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

#include "core/card_text.h"
#include "study/deal_result.h"

namespace dealwise::study::testing {

inline Card cardOf(const std::string& text) {
    const auto card = parseCard(text);
    if (!card) {
        throw std::invalid_argument("test card " + text);
    }
    return *card;
}

inline DealResult dealOf(std::uint64_t deal, const std::string& hand, int score, bool won, int moves) {
    DealResult result;
    result.deal = deal;
    std::istringstream in(hand);
    std::string card;
    for (Card& slot : result.hand) {
        if (!(in >> card)) {
            throw std::invalid_argument("test hand " + hand);
        }
        slot = cardOf(card);
    }
    result.score = score;
    result.won = won;
    result.moves = moves;
    return result;
}

// A fresh folder of its own, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device random;
        do {
            path_ = std::filesystem::temp_directory_path() / ("dealwise-study-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    [[nodiscard]] std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace dealwise::study::testing
