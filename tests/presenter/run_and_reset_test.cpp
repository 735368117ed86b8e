// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "presenter_test_support.h"

namespace dealwise {
namespace {

using testing::buttonRows;
using testing::card;
using testing::cardsOf;
using testing::clickCards;
using testing::kRestingRows;
using testing::kWorkedExampleCards;
using testing::loadedPresenter;
using testing::workedExampleLines;

TEST(RunAndReset, TheWorkedExampleScoresThree) {
    MainPresenter presenter = loadedPresenter();
    clickCards(presenter, kWorkedExampleCards);
    presenter.cmdRun_Click();
    MainChanges expected;
    expected.scoreBox = true;
    expected.paneAppended = 12;
    expected.focus = "cmdReset";
    EXPECT_EQ(presenter.takeChanges(), expected);
    EXPECT_EQ(presenter.paneLines(), workedExampleLines());
    EXPECT_EQ(presenter.paneLines().size(), 17U);
    EXPECT_EQ(presenter.scoreBox(), " 3");
    EXPECT_TRUE(presenter.runEnabled());
}

TEST(RunAndReset, ASecondRunScoresWhatTheFirstLeftInTheGrid) {
    MainPresenter presenter = loadedPresenter();
    clickCards(presenter, kWorkedExampleCards);
    presenter.cmdRun_Click();
    presenter.cmdRun_Click();
    const std::vector<std::string> secondReport{
        "#ACES=  1                       SCORE=  2 ",
        "LOW CARDS= -1             SCORE=  1 ",
        "FACE CARDS=  1            SCORE=  2 ",
        "DUPS=  0 >DUPS=  0 ",
        "gdu score= 2 ",
        "gd2                                  SCORE=  2 ",
        "BLACK=  2                       SCORE=  2 ",
        "RED=    2                         SCORE=  2 ",
        "ACE-UP PLAYS=  0         SCORE=  2 ",
        "PLAY (2-K)=  1                 SCORE=  3 ",
        "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 ",
        "                             FINAL SCORE=  3 ",
    };
    std::vector<std::string> expected = workedExampleLines();
    expected.insert(expected.end(), secondReport.begin(), secondReport.end());
    EXPECT_EQ(presenter.paneLines(), expected);
    EXPECT_EQ(presenter.scoreBox(), " 3");
    // The 2 and 3 of spades went up on their ace.
    EXPECT_FALSE(presenter.grid().holds(card("2S")));
    EXPECT_EQ(presenter.face(card("2S")), (CardFace{"2", true, "entered 2nd"}));
}

TEST(RunAndReset, InputNewHandRestoresTheButtonsScoreAndRunButKeepsThePane) {
    MainPresenter presenter = loadedPresenter();
    clickCards(presenter, kWorkedExampleCards);
    presenter.cmdRun_Click();
    (void)presenter.takeChanges();

    presenter.cmdReset_Click();
    MainChanges expected;
    expected.cards = cardsOf(kWorkedExampleCards);
    expected.scoreBox = true;
    expected.runEnabled = true;
    EXPECT_EQ(presenter.takeChanges(), expected);
    EXPECT_EQ(buttonRows(presenter), kRestingRows);
    EXPECT_EQ(presenter.face(card("10D")), (CardFace{"10", false, ""}));
    EXPECT_EQ(presenter.scoreBox(), "");
    EXPECT_FALSE(presenter.runEnabled());
    EXPECT_EQ(presenter.grid(), CardGrid{});
    EXPECT_EQ(presenter.entries(), Int16{0});
    EXPECT_EQ(presenter.paneLines(), workedExampleLines());

    // A second reset has no buttons and no Run to change, but still clears
    // the score box, which the user may have typed into.
    presenter.cmdReset_Click();
    MainChanges again;
    again.scoreBox = true;
    EXPECT_EQ(presenter.takeChanges(), again);

    // The next hand's seventh card replaces the old grid and report.
    clickCards(presenter, {"5S", "KH", "AD", "10C", "5D", "JS"});
    EXPECT_EQ(presenter.paneLines().size(), 17U);
    presenter.cmdCard_Click(card("2H"));
    EXPECT_EQ(presenter.paneLines(), (std::vector<std::string>{
                                         "HAND----  A  2  3  4  5  6  7  8  9 10  J  Q  K",
                                         "Spades     0  0  0  0  1  0  0  0  0  0  1  0  0 ",
                                         "Clubs        0  0  0  0  0  0  0  0  0  1  0  0  0 ",
                                         "Diamonds  1  0  0  0  1  0  0  0  0  0  0  0  0 ",
                                         "Hearts       0  1  0  0  0  0  0  0  0  0  0  0  1 ",
                                     }));
}

} // namespace
} // namespace dealwise
