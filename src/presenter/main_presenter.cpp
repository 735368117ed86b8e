// SPDX-License-Identifier: MIT
#include "presenter/main_presenter.h"

#include <utility>

#include "presenter/spoken_text.h"
#include "report/hand_grid.h"
#include "scoring/scoring.h"

namespace dealwise {

namespace {

std::size_t slotOf(Card card) { return static_cast<std::size_t>(cardIndex(card)); }

CardFace restFace(Card card) { return CardFace{std::string(restCaption(card.rank)), false, {}}; }

constexpr std::string_view kResetButton = "cmdReset";

} // namespace

MainPresenter::MainPresenter() {
    for (int index = 0; index < kCardCount; ++index) {
        faces_[static_cast<std::size_t>(index)] = restFace(cardAt(index));
    }
}

const CardFace& MainPresenter::face(Card card) const noexcept { return faces_[slotOf(card)]; }

void MainPresenter::setFace(Card card, CardFace face) {
    CardFace& shown = faces_[slotOf(card)];
    if (shown != face) {
        shown = std::move(face);
        changes_.cards.set(slotOf(card));
    }
}

void MainPresenter::setRunEnabled(bool enabled) {
    if (runEnabled_ != enabled) {
        runEnabled_ = enabled;
        changes_.runEnabled = true;
    }
}

void MainPresenter::appendLine(std::string line) {
    paneLines_.push_back(std::move(line));
    ++changes_.paneAppended;
}

// The view's own controls start as the layout draws them, Run enabled among
// them; the load sets Run whatever it shows.
void MainPresenter::Form_Load() {
    runEnabled_ = false;
    changes_.runEnabled = true;
    shown_ = true;
    changes_.shown = true;
    changes_.focus = kResetButton;
}

void MainPresenter::cmdCard_Click(Card card) {
    const Int16 count = enterCard(cardGrid_, entryCounter_, card);
    setFace(card, CardFace{toDecimal(count), true, entryDescription(count.value())});
    if (count == kHandSize) {
        cmdChangeHandNo_Click();
    }
}

void MainPresenter::cmdChangeHandNo_Click() {
    setRunEnabled(true);
    paneLines_.clear();
    changes_.paneCleared = true;
    changes_.paneAppended = 0;
    for (const PrintLine& line : handGridLines(cardGrid_)) {
        appendLine(renderLine(line));
    }
}

void MainPresenter::cmdRun_Click() {
    const ScoreSheet sheet = scoreGrid(cardGrid_);
    for (const PrintLine& line : reportLines(sheet)) {
        appendLine(renderLine(line));
    }
    scoreBox_ = finalScoreText(sheet.finalScore);
    changes_.scoreBox = true;
    changes_.focus = kResetButton;
}

void MainPresenter::cmdReset_Click() {
    scoreBox_.clear();
    changes_.scoreBox = true;
    entryCounter_.reset();
    for (int index = 0; index < kCardCount; ++index) {
        setFace(cardAt(index), restFace(cardAt(index)));
    }
    resetHand(cardGrid_, entryCounter_);
    setRunEnabled(false);
}

void MainPresenter::cmdHelp_Click() { help_.show(); }

void MainPresenter::cmdQuit_Click() {
    ended_ = true;
    changes_.ended = true;
    if (help_.exists()) {
        help_.hide();
    }
    shown_ = false;
    changes_.shown = true;
}

MainChanges MainPresenter::takeChanges() noexcept { return std::exchange(changes_, MainChanges{}); }

} // namespace dealwise
