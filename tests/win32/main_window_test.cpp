// SPDX-License-Identifier: MIT
#include <map>

#include "message_box_answerer.h"
#include "win32_test_support.h"

namespace dealwise::win32::testing {
namespace {

constexpr std::array<std::string_view, 13> kRestCaptions{"A", "2", "3",  "4", "5", "6", "7",
                                                         "8", "9", "10", "J", "Q", "K"};

// Every card button at rest but the ones named, which show their entry
// number in bold: each button as "name caption", a star before a bold one.
std::vector<std::string> faces(const Program& program) {
    std::vector<std::string> shown;
    for (int index = 0; index < kCardCount; ++index) {
        const std::string_view name = layout::cardButtonName(cardAt(index));
        HWND button = program.control(name);
        shown.push_back(std::string(name) + (isBold(button) ? " *" : " ") + narrow(windowText(button)));
    }
    return shown;
}

std::vector<std::string> expectedFaces(const std::map<std::string, std::string>& entered) {
    std::vector<std::string> shown;
    for (int index = 0; index < kCardCount; ++index) {
        const std::string name(layout::cardButtonName(cardAt(index)));
        const auto found = entered.find(name);
        shown.push_back(found != entered.end() ? name + " *" + found->second
                                               : name + " " + std::string(kRestCaptions[index % 13]));
    }
    return shown;
}

const std::vector<std::string> kExampleGrid{
    "HAND----  A  2  3  4  5  6  7  8  9 10  J  Q  K",     "Spades     0  0  0  0  1  0  0  0  0  0  1  0  0 ",
    "Clubs        0  0  0  0  0  0  0  0  0  1  0  0  0 ", "Diamonds  1  0  0  0  1  0  0  0  0  0  0  0  0 ",
    "Hearts       0  1  0  0  0  0  0  0  0  0  0  0  1 ",
};

const std::vector<std::string> kExampleReport{
    "#ACES=  1                       SCORE=  2 ",
    "LOW CARDS= -3             SCORE= -1 ",
    "FACE CARDS=  2            SCORE=  1 ",
    "DUPS=  1 >DUPS=  0 ",
    "gdu score=-1 ",
    "gd2                                  SCORE= -1 ",
    "BLACK=  3                       SCORE= -1 ",
    "RED=    3                         SCORE= -1 ",
    "ACE-UP PLAYS=  0         SCORE= -1 ",
    "PLAY (2-K)=  0                 SCORE= -1 ",
    "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 ",
    "                             FINAL SCORE= -1 ",
};

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const std::string kOverflow = "Overflow: the addition gives 32768, outside the 16-bit range -32768 to 32767.";

TEST(MainWindow, StartsReadyForAHand) {
    Program program;
    EXPECT_TRUE(IsWindowVisible(program.main()));
    EXPECT_FALSE(program.enabled("cmdRun"));
    EXPECT_EQ(program.focused(), "cmdReset");
    EXPECT_EQ(faces(program), expectedFaces({}));
    EXPECT_EQ(program.text("txtFinalScore"), "");
    EXPECT_EQ(program.paneLines(), std::vector<std::string>{});
    EXPECT_EQ(program.help(), nullptr);
    EXPECT_EQ(windowsOfClass(kHelpWindowClass), 0);
}

TEST(MainWindow, SevenCardsShowTheGridAndRunScoresIt) {
    Program program;
    program.clickCards({"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ"});
    EXPECT_FALSE(program.enabled("cmdRun"));
    EXPECT_EQ(program.paneLines(), std::vector<std::string>{});
    program.click("cmdH2");
    EXPECT_TRUE(program.enabled("cmdRun"));
    EXPECT_EQ(faces(program), expectedFaces({{"cmdS5", "1"},
                                             {"cmdHK", "2"},
                                             {"cmdD1", "3"},
                                             {"cmdC10", "4"},
                                             {"cmdD5", "5"},
                                             {"cmdSJ", "6"},
                                             {"cmdH2", "7"}}));
    EXPECT_EQ(program.paneLines(), kExampleGrid);

    SetFocus(program.control("cmdS1"));
    program.click("cmdRun");
    EXPECT_EQ(program.paneLines(), joined(kExampleGrid, kExampleReport));
    EXPECT_EQ(program.text("txtFinalScore"), " -1");
    EXPECT_EQ(program.focused(), "cmdReset");
    EXPECT_TRUE(program.enabled("cmdRun"));

    // Run again: nothing went to the foundations, so the same report once more.
    program.click("cmdRun");
    EXPECT_EQ(program.paneLines(), joined(joined(kExampleGrid, kExampleReport), kExampleReport));
}

TEST(MainWindow, TheWorkedExampleShowsItsSeventeenLines) {
    Program program;
    for (std::string_view card : kWorkedExampleCards) {
        program.click(card);
    }
    program.click("cmdRun");
    EXPECT_EQ(program.paneLines(), workedExampleLines());
    EXPECT_EQ(program.text("txtFinalScore"), " 3");

    // The second Run scores what the first left in the grid: the aces' cards went up.
    program.click("cmdRun");
    const std::vector<std::string> lines = program.paneLines();
    ASSERT_EQ(lines.size(), 29U);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 17, lines.end()),
              (std::vector<std::string>{
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
              }));
    EXPECT_EQ(lines[1], "Spades     1  1  1  0  0  0  0  0  0  0  0  0  0 ");
}

TEST(MainWindow, RepeatedAndExtraClicksCountAgain) {
    Program program;
    program.clickCards({"cmdS1", "cmdS2", "cmdS1", "cmdD7", "cmdS1", "cmdHQ"});
    EXPECT_EQ(faces(program), expectedFaces({{"cmdS1", "5"}, {"cmdS2", "2"}, {"cmdD7", "4"}, {"cmdHQ", "6"}}));
    program.click("cmdD7");
    EXPECT_TRUE(program.enabled("cmdRun"));
    ASSERT_EQ(program.paneLines().size(), 5U);
    EXPECT_EQ(program.paneLines()[1], "Spades     1  1  0  0  0  0  0  0  0  0  0  0  0 ");

    const std::vector<std::string> grid = program.paneLines();
    program.click("cmdC3");
    program.clickCards({"cmdC4", "cmdC4", "cmdC4"});
    EXPECT_EQ(faces(program),
              expectedFaces(
                  {{"cmdS1", "5"}, {"cmdS2", "2"}, {"cmdD7", "7"}, {"cmdHQ", "6"}, {"cmdC3", "8"}, {"cmdC4", "11"}}));
    EXPECT_EQ(program.paneLines(), grid);
    EXPECT_TRUE(program.enabled("cmdRun"));
}

TEST(MainWindow, InputNewHandRestoresTheStartButKeepsThePane) {
    Program program;
    program.click("cmdReset");
    EXPECT_EQ(faces(program), expectedFaces({}));
    EXPECT_FALSE(program.enabled("cmdRun"));
    EXPECT_EQ(program.text("txtFinalScore"), "");

    program.clickCards({"cmdS9", "cmdH9", "cmdS9"});
    program.click("cmdReset");
    EXPECT_EQ(faces(program), expectedFaces({}));
    program.click("cmdDK");
    EXPECT_EQ(faces(program), expectedFaces({{"cmdDK", "1"}}));

    program.clickCards({"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ", "cmdH2", "cmdH3"});
    program.click("cmdRun");
    SetFocus(program.control("cmdS1"));
    program.click("cmdReset");
    program.click("cmdReset");
    EXPECT_EQ(faces(program), expectedFaces({}));
    EXPECT_FALSE(program.enabled("cmdRun"));
    EXPECT_EQ(program.text("txtFinalScore"), "");
    EXPECT_EQ(program.paneLines().size(), 17U);
    EXPECT_EQ(program.focused(), "cmdReset"); // the click's own focus; the reset moves none

    // The next hand's seventh card replaces the old grid and report.
    program.clickCards({"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ"});
    EXPECT_EQ(program.paneLines().size(), 17U);
    program.click("cmdH2");
    EXPECT_EQ(program.paneLines(), kExampleGrid);
}

TEST(MainWindow, TheKeyboardPressesTheFocusedButtonOnly) {
    Program program;
    SetFocus(program.control("cmdS1"));
    program.press(VK_SPACE);
    program.press(VK_RETURN);
    EXPECT_EQ(faces(program), expectedFaces({{"cmdS1", "2"}}));
    program.press(VK_ESCAPE);
    SetFocus(program.control("txtFinalScore"));
    program.press(VK_RETURN);
    EXPECT_EQ(faces(program), expectedFaces({{"cmdS1", "2"}}));
    EXPECT_EQ(program.text("txtFinalScore"), "");
    SetFocus(program.control("cmdReset"));
    program.press(VK_RETURN);
    EXPECT_EQ(faces(program), expectedFaces({}));
}

TEST(MainWindow, TypedCardsPressTheirButtonsWhereverTheFocusIs) {
    Program program;
    EXPECT_EQ(program.focused(), "cmdReset");
    program.type("AS2s");
    SetFocus(program.control("cmdHK"));
    program.type("3S4h");
    SetFocus(program.control("picOutput"));
    program.type("9cTd");
    SetFocus(program.control("cmdQuit"));
    program.type("kC");
    EXPECT_EQ(program.focused(), "cmdQuit"); // typing moves no focus
    EXPECT_EQ(faces(program), expectedFaces({{"cmdS1", "1"},
                                             {"cmdS2", "2"},
                                             {"cmdS3", "3"},
                                             {"cmdH4", "4"},
                                             {"cmdC9", "5"},
                                             {"cmdD10", "6"},
                                             {"cmdCK", "7"}}));
    EXPECT_TRUE(program.enabled("cmdRun"));
    program.click("cmdRun");
    EXPECT_EQ(program.paneLines(), workedExampleLines());
    EXPECT_EQ(program.text("txtFinalScore"), " 3");

    // Ten is "10" or "T", in either case.
    program.click("cmdReset");
    program.type("10h");
    program.type("th");
    program.type("TH");
    EXPECT_EQ(faces(program), expectedFaces({{"cmdH10", "3"}}));
}

TEST(MainWindow, TypingIntoTheScoreBoxOrTheHelpWindowEditsThem) {
    Program program;
    HWND score = program.control("txtFinalScore");
    SendMessageW(score, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(score, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(program.focused(), "txtFinalScore");
    program.type("as10d");
    EXPECT_EQ(program.text("txtFinalScore"), "as10d");
    EXPECT_EQ(faces(program), expectedFaces({}));

    program.click("cmdHelp");
    HWND text1 = program.helpControl("Text1");
    EXPECT_EQ(GetFocus(), text1);
    const std::wstring help = windowText(text1);
    program.type("kh");
    EXPECT_EQ(windowText(text1), L"kh" + help);
    EXPECT_EQ(faces(program), expectedFaces({}));

    // Back in the main window, cards typed there leave the help as it is.
    SetForegroundWindow(program.main());
    program.pump().run();
    EXPECT_EQ(program.focused(), "cmdHelp"); // where the click on Help left it
    SetFocus(program.control("cmdS1"));
    program.type("qd");
    EXPECT_EQ(faces(program), expectedFaces({{"cmdDQ", "1"}}));
    EXPECT_EQ(windowText(text1), L"kh" + help);
    EXPECT_EQ(program.text("txtFinalScore"), "as10d");
}

TEST(MainWindow, WrongOrHalfTypedCardsChangeNothing) {
    Program program;
    program.type("x1s0haxz9j");
    program.pause();
    program.type("d");
    SetFocus(program.control("cmdS1"));
    program.type("1");
    program.pause();
    program.type("0s");
    EXPECT_EQ(program.focused(), "cmdS1");
    EXPECT_EQ(faces(program), expectedFaces({}));
    EXPECT_EQ(program.paneLines(), std::vector<std::string>{});
    EXPECT_EQ(program.text("txtFinalScore"), "");
    EXPECT_FALSE(program.enabled("cmdRun"));

    // Without the pause the same keys make the cards.
    program.type("jd10s");
    EXPECT_EQ(faces(program), expectedFaces({{"cmdDJ", "1"}, {"cmdS10", "2"}}));
}

TEST(MainWindow, TheClickPastTheCounterLimitIsReportedAndTheProgramGoesOn) {
    Program program;
    MessageBoxAnswerer answerer;
    HWND eight = program.control("cmdS8");
    // The notification each click sends its button's parent, without the
    // pressed look drawn and undrawn 32,766 times; the last clicks are real.
    const auto notification = MAKEWPARAM(GetDlgCtrlID(eight), BN_CLICKED);
    for (int i = 0; i < 32766; ++i) {
        SendMessageW(GetParent(eight), WM_COMMAND, notification, reinterpret_cast<LPARAM>(eight));
    }
    program.clickControl(eight);
    EXPECT_EQ(narrow(windowText(eight)), "32767");
    EXPECT_TRUE(answerer.answers().empty());

    program.click("cmdH3");
    ASSERT_EQ(answerer.answers().size(), 1U);
    EXPECT_EQ(answerer.answers()[0].caption, "Dealwise");
    EXPECT_EQ(answerer.answers()[0].text, kOverflow);
    EXPECT_EQ(answerer.answers()[0].owner, program.main());
    // The card went into the hand before the count failed; its face did not change.
    EXPECT_EQ(faces(program), expectedFaces({{"cmdS8", "32767"}}));
    EXPECT_TRUE(IsWindowEnabled(program.main())); // the box has gone and the window is usable

    // A typed card meets the same limit, and the same message.
    SetFocus(program.control("cmdS1"));
    program.type("kd");
    ASSERT_EQ(answerer.answers().size(), 2U);
    EXPECT_EQ(answerer.answers()[1].text, kOverflow);
    EXPECT_EQ(faces(program), expectedFaces({{"cmdS8", "32767"}}));

    // The hand holds 8S, 3H and KD: Run scores it.
    program.click("cmdRun");
    EXPECT_EQ(program.text("txtFinalScore"), " -1");
    program.click("cmdReset");
    program.click("cmdH3");
    EXPECT_EQ(faces(program), expectedFaces({{"cmdH3", "1"}}));
    EXPECT_EQ(answerer.answers().size(), 2U);
}

TEST(MainWindow, QuitEndsTheProgramAtOnce) {
    Program program;
    program.clickCards({"cmdS5", "cmdHK", "cmdD1"});
    program.click("cmdHelp");
    program.click("cmdQuit");
    EXPECT_EQ(program.pump().quits(), 1);
    EXPECT_FALSE(IsWindowVisible(program.main()));
    EXPECT_FALSE(IsWindowVisible(program.help()));
    program.close(program.main()); // the program is ending: no second ending
    EXPECT_EQ(program.pump().quits(), 1);
}

TEST(MainWindow, ClosingTheWindowsInAnyOrderEndsOnlyWithTheMainWindow) {
    struct Order {
        const char* name;
        void (*beforeMain)(Program&);
    };
    for (const Order& order : {
             Order{"help closed first", [](Program& program) { program.close(program.help()); }},
             Order{"help minimised",
                   [](Program& program) {
                       SendMessageW(program.help(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
                       program.pump().run();
                   }},
             Order{"help closed, opened, closed",
                   [](Program& program) {
                       program.close(program.help());
                       program.click("cmdHelp");
                       program.close(program.help());
                   }},
         }) {
        Program program;
        program.click("cmdHelp");
        order.beforeMain(program);
        EXPECT_EQ(program.pump().quits(), 0) << order.name;
        EXPECT_TRUE(IsWindowVisible(program.main())) << order.name;
        program.close(program.main());
        EXPECT_EQ(program.pump().quits(), 1) << order.name;
        EXPECT_FALSE(IsWindowVisible(program.main())) << order.name;
        EXPECT_FALSE(IsWindowVisible(program.help())) << order.name;
    }
}

TEST(MainWindow, ClosingTheMainWindowEndsTheProgramHelpAndAll) {
    Program program;
    program.click("cmdHelp");
    EXPECT_TRUE(IsWindowVisible(program.help()));
    program.close(program.main());
    EXPECT_EQ(program.pump().quits(), 1);
    EXPECT_FALSE(IsWindowVisible(program.main()));
    EXPECT_FALSE(IsWindowVisible(program.help()));
}

} // namespace
} // namespace dealwise::win32::testing
