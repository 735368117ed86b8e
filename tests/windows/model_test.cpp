// SPDX-License-Identifier: MIT
// Random sequences of user actions driven through the real widgets, each
// followed by a comparison of everything the user can observe with a small
// model of the program written here, apart from the program's own code. A
// failure names its seed and the shortest action sequence that still fails.
//
// DEALWISE_MODEL_SEEDS and DEALWISE_MODEL_ACTIONS (actions per seed) make
// the run longer; the defaults keep it to a few thousand actions.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <array>
#include <optional>
#include <random>
#include <vector>

#include "window_test_support.h"
#include "windows/help_texts.h"

using dealwise::testing::control;

namespace {

const QStringList kRankParts{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const QStringList kRestCaptions{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const char kSuitLetters[] = "SCDH";

// Cards in the model are suit * 13 + rank index; nothing here shares the
// program's storage order.
QString cardName(int card) {
    return QStringLiteral("cmd%1%2").arg(QChar::fromLatin1(kSuitLetters[card / 13])).arg(kRankParts[card % 13]);
}

QString integer(int value) { return (value < 0 ? "-" : " ") + QString::number(std::abs(value)) + " "; }

enum class Kind { Card, TypeCard, Run, Reset, Help, CloseHelp, MinimiseHelp, TypeScore, TypeHelp, Tab };

struct Action {
    Kind kind;
    int card = 0;
    QString text;

    [[nodiscard]] QString describe() const {
        switch (kind) {
        case Kind::Card:
            return "click " + cardName(card);
        case Kind::TypeCard:
            return "type \"" + text + "\" where the focus is";
        case Kind::Run:
            return "click Run";
        case Kind::Reset:
            return "click Input New Hand";
        case Kind::Help:
            return "click Help";
        case Kind::CloseHelp:
            return "close the help window";
        case Kind::MinimiseHelp:
            return "minimise the help window";
        case Kind::TypeScore:
            return "type \"" + text + "\" at the end of the score box";
        case Kind::TypeHelp:
            return "type \"" + text + "\" into the upper help box";
        case Kind::Tab:
            return "press Tab";
        }
        return {};
    }
};

struct Model {
    std::array<bool, 52> held{};
    std::array<QString, 52> caption;
    std::array<bool, 52> bold{};
    int counter = 0;
    bool runEnabled = false;
    QString scoreBox;
    bool scoreSelected = false; // Tab into the score box selects its text
    QStringList pane;
    QString focus = "cmdReset";
    bool helpExists = false, helpOpen = false, helpMinimised = false;
    QString text1, text2;
    int text1Cursor = 0;

    Model() {
        for (int card = 0; card < 52; ++card) {
            caption[static_cast<std::size_t>(card)] = kRestCaptions[card % 13];
        }
    }

    [[nodiscard]] bool has(int suit, int rank) const { return held[static_cast<std::size_t>(suit * 13 + rank)]; }
    [[nodiscard]] int count(int firstRank, int lastRank, int firstSuit, int lastSuit) const {
        int n = 0;
        for (int rank = firstRank; rank <= lastRank; ++rank) {
            for (int suit = firstSuit; suit <= lastSuit; ++suit) {
                n += has(suit, rank) ? 1 : 0;
            }
        }
        return n;
    }

    void showGrid() {
        pane = QStringList{"HAND----  A  2  3  4  5  6  7  8  9 10  J  Q  K"};
        const QStringList labels{"Spades    ", "Clubs       ", "Diamonds ", "Hearts      "};
        for (int suit = 0; suit < 4; ++suit) {
            QString row = labels[suit];
            for (int rank = 0; rank < 13; ++rank) {
                row += integer(has(suit, rank) ? 1 : 0);
            }
            pane << row;
        }
    }

    void run() {
        int score = 0;
        const int aces = count(0, 0, 0, 3);
        score += aces > 0 ? aces + 1 : 0;
        pane << "#ACES= " + integer(aces) + "                      SCORE= " + integer(score);
        const int low = -count(1, 7, 0, 3);
        score += low;
        pane << "LOW CARDS= " + integer(low) + "            SCORE= " + integer(score);
        const int faces = count(10, 12, 0, 3);
        score += faces;
        pane << "FACE CARDS= " + integer(faces) + "           SCORE= " + integer(score);
        int pairs = 0, multiples = 0;
        for (int rank = 1; rank < 13; ++rank) {
            const int n = count(rank, rank, 0, 3);
            pairs += n == 2 ? 1 : 0;
            multiples += n > 2 ? 1 : 0;
        }
        pane << "DUPS= " + integer(pairs) + ">DUPS= " + integer(multiples);
        score -= 2 * pairs;
        pane << "gdu score=" + integer(score);
        score -= 3 * multiples;
        pane << "gd2                                  SCORE= " + integer(score);
        const int black = count(1, 12, 0, 1);
        score -= black > 4 ? 3 : 0;
        pane << "BLACK= " + integer(black) + "                      SCORE= " + integer(score);
        const int red = count(1, 12, 2, 3);
        score -= red > 4 ? 3 : 0;
        pane << "RED=   " + integer(red) + "                        SCORE= " + integer(score);
        int aceUp = 0;
        for (int suit = 0; suit < 4; ++suit) {
            int top = 0; // the highest rank index of the unbroken run from the ace
            while (top < 7 && has(suit, top)) {
                ++top;
            }
            const int reach = std::min(top, 7) - 1; // rank index of the last card played up
            if (reach >= 1) {
                aceUp += reach;
                for (int rank = 1; rank <= reach; ++rank) {
                    held[static_cast<std::size_t>(suit * 13 + rank)] = false;
                }
            }
        }
        score += aceUp;
        pane << "ACE-UP PLAYS= " + integer(aceUp) + "        SCORE= " + integer(score);
        int plays = 0;
        for (int rank = 1; rank <= 11; ++rank) {
            const bool blackLow = has(0, rank) || has(1, rank), redHigh = has(2, rank + 1) || has(3, rank + 1);
            const bool redLow = has(2, rank) || has(3, rank), blackHigh = has(0, rank + 1) || has(1, rank + 1);
            plays += (blackLow && redHigh ? 1 : 0) + (redLow && blackHigh ? 1 : 0);
        }
        score += plays;
        pane << "PLAY (2-K)= " + integer(plays) + "                SCORE= " + integer(score);
        pane << "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 ";
        pane << "                             FINAL SCORE= " + integer(score);
        scoreBox = " " + QString::number(score);
        focus = "cmdReset";
    }

    void enter(int card) {
        const auto index = static_cast<std::size_t>(card);
        held[index] = true;
        ++counter;
        caption[index] = QString::number(counter);
        bold[index] = true;
        if (counter == 7) {
            runEnabled = true;
            showGrid();
        }
    }

    void apply(const Action& action) {
        switch (action.kind) {
        case Kind::Card:
            enter(action.card);
            focus = cardName(action.card);
            break;
        case Kind::TypeCard:
            if (focus == "txtFinalScore") {
                scoreBox = (scoreSelected ? QString() : scoreBox) + action.text;
                scoreSelected = false;
            } else {
                enter(action.card);
            }
            break;
        case Kind::Run:
            if (runEnabled) {
                run();
            }
            break;
        case Kind::Reset:
            *this = resetFrom(*this);
            break;
        case Kind::Help:
            focus = "cmdHelp";
            if (!helpOpen) {
                text1 = QString::fromUtf8(dealwise::kHelpText1.data(), qsizetype(dealwise::kHelpText1.size()));
                text2 = QString::fromUtf8(dealwise::kHelpText2.data(), qsizetype(dealwise::kHelpText2.size()));
                text1Cursor = 0;
            }
            helpExists = helpOpen = true;
            helpMinimised = false;
            break;
        case Kind::CloseHelp:
            helpOpen = helpMinimised = false;
            break;
        case Kind::MinimiseHelp:
            helpMinimised = helpOpen;
            break;
        case Kind::TypeScore:
            scoreBox += action.text;
            scoreSelected = false;
            focus = "txtFinalScore";
            break;
        case Kind::TypeHelp:
            text1.insert(text1Cursor, action.text);
            text1Cursor += int(action.text.size());
            break;
        case Kind::Tab:
            focus = nextInTabOrder();
            scoreSelected = focus == "txtFinalScore";
            break;
        }
    }

    static Model resetFrom(const Model& before) {
        Model after;
        after.pane = before.pane;
        after.focus = "cmdReset";
        after.helpExists = before.helpExists;
        after.helpOpen = before.helpOpen;
        after.helpMinimised = before.helpMinimised;
        after.text1 = before.text1;
        after.text2 = before.text2;
        after.text1Cursor = before.text1Cursor;
        return after;
    }

    [[nodiscard]] QString nextInTabOrder() const {
        const QStringList order = dealwise::testing::tabOrder(runEnabled);
        return order[(order.indexOf(focus) + 1) % order.size()];
    }
};

class Session {
public:
    Session() : window_(dealwise::testing::startMainWindow()) {}

    void perform(const Action& action) {
        switch (action.kind) {
        case Kind::Card:
            QTest::mouseClick(control<QPushButton>(*window_, cardName(action.card).toLatin1()), Qt::LeftButton);
            break;
        case Kind::TypeCard:
            QTest::keyClicks(window_->focusWidget(), action.text);
            break;
        case Kind::Run:
            QTest::mouseClick(control<QPushButton>(*window_, "cmdRun"), Qt::LeftButton);
            break;
        case Kind::Reset:
            QTest::mouseClick(control<QPushButton>(*window_, "cmdReset"), Qt::LeftButton);
            break;
        case Kind::Help:
            QTest::mouseClick(control<QPushButton>(*window_, "cmdHelp"), Qt::LeftButton);
            break;
        case Kind::CloseHelp:
            if (window_->helpWindow() != nullptr) {
                window_->helpWindow()->close();
            }
            break;
        case Kind::MinimiseHelp:
            if (window_->helpWindow() != nullptr && window_->helpWindow()->isVisible()) {
                window_->helpWindow()->showMinimized();
            }
            break;
        case Kind::TypeScore: {
            auto* box = control<QLineEdit>(*window_, "txtFinalScore");
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
            QTest::keyClick(box, Qt::Key_End); // a long text scrolls: the click may land inside it
            QTest::keyClicks(box, action.text);
            break;
        }
        case Kind::TypeHelp:
            if (window_->helpWindow() != nullptr && window_->helpWindow()->isVisible()) {
                QTest::keyClicks(control<QPlainTextEdit>(*window_->helpWindow(), "Text1"), action.text);
            }
            break;
        case Kind::Tab:
            QTest::keyClick(window_->focusWidget(), Qt::Key_Tab);
            break;
        }
    }

    // The first difference between what the user sees and the model, if any.
    [[nodiscard]] std::optional<QString> differenceFrom(const Model& model) const {
        for (int card = 0; card < 52; ++card) {
            const auto* button = control<QPushButton>(*window_, cardName(card).toLatin1());
            if (button->text() != model.caption[std::size_t(card)] ||
                button->font().bold() != model.bold[std::size_t(card)]) {
                return QStringLiteral("%1 shows \"%2\"%3, the model \"%4\"%5")
                    .arg(cardName(card), button->text(), button->font().bold() ? " bold" : "",
                         model.caption[std::size_t(card)], model.bold[std::size_t(card)] ? " bold" : "");
            }
        }
        if (control(*window_, "cmdRun")->isEnabled() != model.runEnabled) {
            return QStringLiteral("Run enabled: %1").arg(!model.runEnabled);
        }
        if (const QString box = control<QLineEdit>(*window_, "txtFinalScore")->text(); box != model.scoreBox) {
            return QStringLiteral("score box \"%1\", the model \"%2\"").arg(box, model.scoreBox);
        }
        if (const QStringList pane = dealwise::testing::paneLines(*window_); pane != model.pane) {
            return QStringLiteral("pane:\n%1\nthe model:\n%2").arg(pane.join('\n'), model.pane.join('\n'));
        }
        const QString focus = window_->focusWidget() ? window_->focusWidget()->objectName() : QString();
        if (focus != model.focus) {
            return QStringLiteral("focus on %1, the model on %2").arg(focus, model.focus);
        }
        int helpWindows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            helpWindows += widget->objectName() == "frmHelp" ? 1 : 0;
        }
        if (helpWindows != (model.helpExists ? 1 : 0)) {
            return QStringLiteral("%1 help windows").arg(helpWindows);
        }
        if (const dealwise::frmHelp* help = window_->helpWindow()) {
            // A closed window has no minimised state to show.
            if (help->isVisible() != model.helpOpen || (model.helpOpen && help->isMinimized() != model.helpMinimised)) {
                return QStringLiteral("help window visible %1 minimised %2")
                    .arg(help->isVisible())
                    .arg(help->isMinimized());
            }
            if (model.helpOpen && (control<QPlainTextEdit>(*help, "Text1")->toPlainText() != model.text1 ||
                                   control<QPlainTextEdit>(*help, "Text2")->toPlainText() != model.text2)) {
                return QStringLiteral("help texts differ");
            }
        }
        return std::nullopt;
    }

private:
    std::unique_ptr<dealwise::frmMain> window_;
};

// A card as a user may type it: the ten as "10" or "T", each key in
// either case, as the bits of `choice` pick.
QString typedSpelling(int card, std::uint32_t choice) {
    const QStringList ranks{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    QString rank = ranks[card % 13];
    if (rank == "10" && (choice & 1U) != 0) {
        rank = "T";
    }
    QString text = rank + QChar::fromLatin1(kSuitLetters[card / 13]);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if ((choice >> (i + 1) & 1U) != 0) {
            text[i] = text[i].toLower();
        }
    }
    return text;
}

std::vector<Action> randomActions(std::uint32_t seed, int length) {
    std::mt19937 random(seed);
    auto below = [&random](int n) { return int(random() % std::uint32_t(n)); };
    const QStringList words{"x", "12", " -3", "ok", "  "};
    std::vector<Action> actions;
    for (int i = 0; i < length; ++i) {
        const int roll = below(100);
        // Repeats of a few cards as often as fresh ones, and sometimes far
        // more than seven before a reset.
        if (roll < 47) {
            actions.push_back({Kind::Card, below(4) == 0 ? below(4) : below(52), {}});
        } else if (roll < 55) {
            const int card = below(52);
            actions.push_back({Kind::TypeCard, card, typedSpelling(card, random())});
        } else if (roll < 67) {
            actions.push_back({Kind::Run, 0, {}});
        } else if (roll < 75) {
            actions.push_back({Kind::Reset, 0, {}});
        } else if (roll < 80) {
            actions.push_back({Kind::Help, 0, {}});
        } else if (roll < 83) {
            actions.push_back({Kind::CloseHelp, 0, {}});
        } else if (roll < 85) {
            actions.push_back({Kind::MinimiseHelp, 0, {}});
        } else if (roll < 89) {
            actions.push_back({Kind::TypeScore, 0, words[below(int(words.size()))]});
        } else if (roll < 92) {
            actions.push_back({Kind::TypeHelp, 0, words[below(int(words.size()))]});
        } else {
            actions.push_back({Kind::Tab, 0, {}});
        }
    }
    return actions;
}

// Plays the actions on a fresh window; the index of the first action after
// which the window and the model part, and how.
std::optional<std::pair<std::size_t, QString>> firstDivergence(const std::vector<Action>& actions) {
    Session session;
    Model model;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        session.perform(actions[i]);
        model.apply(actions[i]);
        if (auto difference = session.differenceFrom(model)) {
            return std::make_pair(i, *difference);
        }
    }
    return std::nullopt;
}

// Drops every action the failure does not need, one at a time.
std::vector<Action> shortestFailing(std::vector<Action> actions) {
    for (std::size_t i = actions.size(); i-- > 0;) {
        std::vector<Action> without = actions;
        without.erase(without.begin() + std::ptrdiff_t(i));
        if (firstDivergence(without)) {
            actions = std::move(without);
        }
    }
    return actions;
}

int fromEnvironment(const char* name, int otherwise) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : otherwise;
}

} // namespace

class ModelTest : public QObject {
    Q_OBJECT

private slots:
    void randomUserActionsMatchTheModel() {
        const int seeds = fromEnvironment("DEALWISE_MODEL_SEEDS", 12);
        const int length = fromEnvironment("DEALWISE_MODEL_ACTIONS", 250);
        for (int seed = 1; seed <= seeds; ++seed) {
            const std::vector<Action> actions = randomActions(std::uint32_t(seed), length);
            const auto divergence = firstDivergence(actions);
            if (!divergence) {
                continue;
            }
            std::vector<Action> failing(actions.begin(), actions.begin() + std::ptrdiff_t(divergence->first + 1));
            failing = shortestFailing(failing);
            QStringList steps;
            for (const Action& action : failing) {
                steps << "  " + action.describe();
            }
            QFAIL(qPrintable(QStringLiteral("seed %1: after action %2, %3\nshortest failing sequence:\n%4")
                                 .arg(seed)
                                 .arg(divergence->first + 1)
                                 .arg(divergence->second, steps.join('\n'))));
        }
        qInfo("%d seeds of %d actions: %d actions", seeds, length, seeds * length);
    }
};

DEALWISE_WINDOW_TEST_MAIN(ModelTest)
#include "model_test.moc"
