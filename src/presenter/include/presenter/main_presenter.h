// SPDX-License-Identifier: MIT
#pragma once

// The operations keep the names of the frmMain handlers they stand behind
// (cmdRun_Click ...), so that a view's handler and its operation read alike.
// Those lines carry NOLINT(readability-identifier-naming).

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/card.h"
#include "core/int16.h"
#include "hand/card_grid.h"
#include "hand/hand_entry.h"
#include "presenter/help_presenter.h"
#include "presenter/typed_card.h"

namespace dealwise {

// What a card button shows.
struct CardFace {
    std::string caption;     // the rank at rest, the entry count once entered
    bool bold = false;       // entered
    std::string description; // for assistive tools: "entered 3rd", empty at rest

    friend bool operator==(const CardFace&, const CardFace&) = default;
};

// What a view of the main window must redraw after an operation: only this,
// so that a card click touches one button.
struct MainChanges {
    std::bitset<kCardCount> cards; // by cardIndex: faces that changed
    bool runEnabled = false;       // Run's enabled state changed, or was first set by the load
    // The score box was written. It counts even when the text is the same,
    // since the user may have typed into the box since.
    bool scoreBox = false;
    bool paneCleared = false;
    std::size_t paneAppended = 0; // lines added at the end of the pane, after any clearing
    std::string_view focus;       // the control that takes the focus; empty: the focus stays
    bool shown = false;           // the window was shown or hidden
    bool ended = false;           // the program ends now

    friend bool operator==(const MainChanges&, const MainChanges&) = default;
};

// frmMain as the user sees it, without a toolkit: the hand being entered,
// the card faces, Run, the score box, the pane and the help window. Each
// operation records what it changed, for the view to apply; an operation
// that throws (the entry counter's overflow) stops there, and what it changed
// before stays changed and recorded.
class MainPresenter {
public:
    MainPresenter();

    [[nodiscard]] const CardGrid& grid() const noexcept { return cardGrid_; }
    [[nodiscard]] Int16 entries() const noexcept { return entryCounter_.value(); }
    [[nodiscard]] const CardFace& face(Card card) const noexcept;
    [[nodiscard]] bool runEnabled() const noexcept { return runEnabled_; }
    [[nodiscard]] const std::string& scoreBox() const noexcept { return scoreBox_; }
    [[nodiscard]] const std::vector<std::string>& paneLines() const noexcept { return paneLines_; }
    [[nodiscard]] bool shown() const noexcept { return shown_; }
    [[nodiscard]] bool ended() const noexcept { return ended_; }
    [[nodiscard]] HelpPresenter& help() noexcept { return help_; }
    [[nodiscard]] const HelpPresenter& help() const noexcept { return help_; }

    // NOLINTBEGIN(readability-identifier-naming)
    void Form_Load();
    // Throws OverflowError at the 32768th entry, the card entered all the same.
    void cmdCard_Click(Card card);
    // The seventh entry: the hand grid replaces the pane, and Run is enabled.
    void cmdChangeHandNo_Click();
    // Scores the grid, which loses the cards that build on their ace.
    void cmdRun_Click();
    // Ready for the next hand; the pane keeps the last report.
    void cmdReset_Click();
    void cmdHelp_Click();
    void cmdQuit_Click();
    // NOLINTEND(readability-identifier-naming)

    // A character typed in the window but in the score box: the card it
    // completes, if any, for the view to press as a click would, so that a
    // typed card meets the same guard as a clicked one.
    [[nodiscard]] std::optional<Card> typeCharacter(char key) noexcept { return typedCard_.feed(key); }
    // Whether a card is half typed: the view then times the pause that drops it.
    [[nodiscard]] bool typingPending() const noexcept { return typedCard_.pending(); }
    void typingPaused() noexcept { typedCard_.forget(); }

    // What changed since the last call, for the view to apply.
    [[nodiscard]] MainChanges takeChanges() noexcept;

private:
    void setFace(Card card, CardFace face);
    void setRunEnabled(bool enabled);
    void appendLine(std::string line);

    CardGrid cardGrid_;
    EntryCounter entryCounter_;
    std::array<CardFace, kCardCount> faces_;
    bool runEnabled_ = false;
    std::string scoreBox_;
    std::vector<std::string> paneLines_;
    bool shown_ = false;
    bool ended_ = false;
    HelpPresenter help_;
    TypedCard typedCard_;
    MainChanges changes_;
};

} // namespace dealwise
