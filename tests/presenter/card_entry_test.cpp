// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/errors.h"
#include "presenter_test_support.h"

namespace dealwise {
namespace {

using testing::buttonRows;
using testing::card;
using testing::cardsOf;
using testing::clickCards;
using testing::kRestingRows;
using testing::loadedPresenter;

TEST(CardEntry, LoadingDisablesRunAndPutsTheFocusOnInputNewHand) {
    MainPresenter presenter;
    presenter.Form_Load();
    MainChanges expected;
    expected.runEnabled = true;
    expected.shown = true;
    expected.focus = "cmdReset";
    EXPECT_EQ(presenter.takeChanges(), expected);
    EXPECT_FALSE(presenter.runEnabled());
    EXPECT_TRUE(presenter.shown());
    EXPECT_EQ(buttonRows(presenter), kRestingRows);
    EXPECT_EQ(presenter.face(card("QH")), (CardFace{"Q", false, ""}));
    EXPECT_EQ(presenter.scoreBox(), "");
    EXPECT_TRUE(presenter.paneLines().empty());
    EXPECT_FALSE(presenter.help().exists());
}

TEST(CardEntry, EachClickShowsItsCountInBoldOnItsOwnButtonOnly) {
    MainPresenter presenter = loadedPresenter();
    struct Step {
        std::string_view card;
        std::vector<std::string> rows;
        std::string_view description;
    };
    const std::vector<Step> steps{
        {"AS", {"S: *1 2 3 4 5 6 7 8 9 10 J Q K", kRestingRows[1], kRestingRows[2], kRestingRows[3]}, "entered 1st"},
        {"2S", {"S: *1 *2 3 4 5 6 7 8 9 10 J Q K", kRestingRows[1], kRestingRows[2], kRestingRows[3]}, "entered 2nd"},
        {"AS", {"S: *3 *2 3 4 5 6 7 8 9 10 J Q K", kRestingRows[1], kRestingRows[2], kRestingRows[3]}, "entered 3rd"},
        {"10D",
         {"S: *3 *2 3 4 5 6 7 8 9 10 J Q K", kRestingRows[1], "D: A 2 3 4 5 6 7 8 9 *4 J Q K", kRestingRows[3]},
         "entered 4th"},
    };
    for (const Step& step : steps) {
        presenter.cmdCard_Click(card(step.card));
        MainChanges expected;
        expected.cards = cardsOf({step.card});
        EXPECT_EQ(presenter.takeChanges(), expected) << step.card;
        EXPECT_EQ(buttonRows(presenter), step.rows) << step.card;
        EXPECT_EQ(presenter.face(card(step.card)).description, step.description);
    }
    EXPECT_FALSE(presenter.runEnabled());
    EXPECT_TRUE(presenter.paneLines().empty());
    EXPECT_EQ(presenter.entries(), Int16{4});
}

TEST(CardEntry, TheSeventhEntryAloneShowsTheGridAndEnablesRun) {
    MainPresenter presenter = loadedPresenter();
    clickCards(presenter, {"AS", "2S", "3S", "4H", "9C", "10D"});
    EXPECT_FALSE(presenter.runEnabled());
    EXPECT_TRUE(presenter.paneLines().empty());

    presenter.cmdCard_Click(card("KC"));
    MainChanges seventh;
    seventh.cards = cardsOf({"KC"});
    seventh.runEnabled = true;
    seventh.paneCleared = true;
    seventh.paneAppended = 5;
    EXPECT_EQ(presenter.takeChanges(), seventh);
    EXPECT_TRUE(presenter.runEnabled());
    const std::vector<std::string> example = testing::workedExampleLines();
    const std::vector<std::string> grid(example.begin(), example.begin() + 5);
    EXPECT_EQ(presenter.paneLines(), grid);

    // An eighth click counts on, and leaves Run and the grid as they are.
    presenter.cmdCard_Click(card("KC"));
    MainChanges eighth;
    eighth.cards = cardsOf({"KC"});
    EXPECT_EQ(presenter.takeChanges(), eighth);
    EXPECT_EQ(buttonRows(presenter),
              (std::vector<std::string>{"S: *1 *2 *3 4 5 6 7 8 9 10 J Q K", "C: A 2 3 4 5 6 7 8 *5 10 J Q *8",
                                        "D: A 2 3 4 5 6 7 8 9 *6 J Q K", "H: A 2 3 *4 5 6 7 8 9 10 J Q K"}));
    EXPECT_TRUE(presenter.runEnabled());
    EXPECT_EQ(presenter.paneLines(), grid);
}

TEST(CardEntry, TheEntryPastTheCounterLimitThrowsWithTheCardEnteredAndTheProgramGoesOn) {
    MainPresenter presenter = loadedPresenter();
    for (int i = 0; i < Int16::kMax; ++i) {
        presenter.cmdCard_Click(card("8S"));
    }
    (void)presenter.takeChanges();
    EXPECT_EQ(presenter.face(card("8S")).caption, "32767");

    for (std::string_view next : {"3H", "KD"}) {
        try {
            presenter.cmdCard_Click(card(next));
            ADD_FAILURE() << next << " did not overflow";
        } catch (const OverflowError& error) {
            EXPECT_STREQ(error.what(), "Overflow: the addition gives 32768, outside the 16-bit range -32768 to 32767.");
        }
        EXPECT_TRUE(presenter.grid().holds(card(next)));
        EXPECT_EQ(presenter.entries(), Int16{32767});
        EXPECT_EQ(presenter.takeChanges(), MainChanges{});
        EXPECT_EQ(buttonRows(presenter), (std::vector<std::string>{"S: A 2 3 4 5 6 7 *32767 9 10 J Q K",
                                                                   kRestingRows[1], kRestingRows[2], kRestingRows[3]}));
    }

    presenter.cmdRun_Click();
    EXPECT_EQ(presenter.scoreBox(), " -1");
    presenter.cmdReset_Click();
    presenter.cmdCard_Click(card("3H"));
    EXPECT_EQ(presenter.face(card("3H")), (CardFace{"1", true, "entered 1st"}));
}

TEST(CardEntry, ATypedCardIsHandedBackForTheViewToPress) {
    MainPresenter presenter = loadedPresenter();
    EXPECT_EQ(presenter.typeCharacter('t'), std::nullopt);
    EXPECT_TRUE(presenter.typingPending());
    EXPECT_EQ(presenter.typeCharacter('h'), card("10H"));
    EXPECT_FALSE(presenter.typingPending());

    EXPECT_EQ(presenter.typeCharacter('1'), std::nullopt);
    presenter.typingPaused();
    EXPECT_FALSE(presenter.typingPending());
    EXPECT_EQ(presenter.typeCharacter('0'), std::nullopt);
    EXPECT_EQ(presenter.typeCharacter('s'), std::nullopt);

    // Typing alone enters nothing: the card is pressed as a click would.
    EXPECT_EQ(presenter.takeChanges(), MainChanges{});
    EXPECT_EQ(presenter.entries(), Int16{0});
}

} // namespace
} // namespace dealwise
