// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "presenter_test_support.h"

namespace dealwise {
namespace {

using testing::clickCards;
using testing::loadedPresenter;

HelpChanges freshlyShown() {
    HelpChanges changes;
    changes.loaded = true;
    changes.shown = true;
    changes.focus = "Text1";
    return changes;
}

HelpChanges shownAgain() {
    HelpChanges changes;
    changes.shown = true;
    return changes;
}

TEST(HelpAndQuit, HelpMakesOneWindowThatLoadsAfreshOnlyAfterAClose) {
    MainPresenter presenter = loadedPresenter();
    const HelpPresenter& help = presenter.help();
    EXPECT_FALSE(help.exists());

    presenter.cmdHelp_Click();
    EXPECT_EQ(presenter.takeChanges(), MainChanges{});
    EXPECT_EQ(presenter.help().takeChanges(), freshlyShown());
    EXPECT_TRUE(help.exists() && help.loaded() && help.shown());

    // Open already: shown again, with whatever the user typed into it.
    presenter.cmdHelp_Click();
    EXPECT_EQ(presenter.help().takeChanges(), shownAgain());

    presenter.help().close();
    EXPECT_EQ(presenter.help().takeChanges(), HelpChanges{});
    EXPECT_TRUE(help.exists());
    EXPECT_FALSE(help.loaded() || help.shown());

    presenter.cmdHelp_Click();
    EXPECT_EQ(presenter.help().takeChanges(), freshlyShown());
    EXPECT_TRUE(help.loaded() && help.shown());

    // The main window goes on working while help is open.
    clickCards(presenter, {"AS"});
    EXPECT_EQ(presenter.face(testing::card("AS")).caption, "1");
}

TEST(HelpAndQuit, TheHelpTextsAreTheUsageInstructions) {
    EXPECT_EQ(HelpPresenter::text1(),
              "How to use this program:                  1. This program opens its window in the upper left hand "
              "corner of the screen. Once the screen has been displayed, open the Solitaire game and position its "
              "window directly below that of the Dealwise.   2. Deal a hand of Solitaire.                3. Now, use "
              "the 52 card-deck buttons to input the hand that you see in front of you. Do this by starting at the "
              "left-most card and moving to the right.  Notice that as you hit a card-deck button, its caption "
              "changes & goes BOLD to indicate the sequence in which you have selected it.              4. After "
              "selecting the 7th card, hit the  Run button to score the hand. The SCORE appears in the SCORE "
              "window.   The SCORE can range from as low as about -12 to about (+)10. My research suggests that you "
              "should only play hands whose Scores are a 6 or higher.  Your likelyhood of winning goes down "
              "progressively  as the Score goes down.");
    EXPECT_EQ(HelpPresenter::text2(), "5. To Score a new hand, deal the hand, then hit the  Input New Hand button to "
                                      "reset the Dealwise.               6. Click the  Quit button to exit the "
                                      "Dealwise.");
}

TEST(HelpAndQuit, QuitEndsTheProgramAndHidesBothWindows) {
    MainPresenter presenter = loadedPresenter();
    clickCards(presenter, {"5S", "KH", "AD"});
    presenter.cmdHelp_Click();
    (void)presenter.help().takeChanges();

    presenter.cmdQuit_Click();
    MainChanges ended;
    ended.shown = true;
    ended.ended = true;
    EXPECT_EQ(presenter.takeChanges(), ended);
    EXPECT_TRUE(presenter.ended());
    EXPECT_FALSE(presenter.shown());
    HelpChanges hidden;
    hidden.hidden = true;
    EXPECT_EQ(presenter.help().takeChanges(), hidden);
    EXPECT_FALSE(presenter.help().shown());
}

TEST(HelpAndQuit, QuitWithoutHelpMakesNoHelpWindow) {
    MainPresenter presenter = loadedPresenter();
    presenter.cmdQuit_Click();
    EXPECT_TRUE(presenter.ended());
    EXPECT_FALSE(presenter.help().exists());
    EXPECT_EQ(presenter.help().takeChanges(), HelpChanges{});
}

} // namespace
} // namespace dealwise
