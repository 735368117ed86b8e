// SPDX-License-Identifier: MIT
#include "cli/batch.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace dealwise::cli {
namespace {

struct BatchRun {
    std::string out;
    std::string errors;
    BatchResult result;
};

BatchRun scoreText(std::string_view input, std::size_t chunkSize = kDefaultChunkSize, std::size_t maxRead = SIZE_MAX) {
    StringReader in(input, maxRead);
    StringWriter out;
    StringWriter errors;
    const BatchResult result = scoreBatch(in, out, errors, chunkSize);
    return {out.text(), errors.text(), result};
}

const std::string kNotACard =
    "is not a card; a card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H, as in AS or 10h\n";
const std::string kSevenCards = "; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC\n";

// Every way of writing a good line and every kind of skipped line, with the
// bad lines among them, so that the numbering has to count skipped lines.
const std::string kMixedInput = "# dealt on Tuesday\n"
                                "AS 2S 3S 4H 9C 10D KC\n"
                                "\n"
                                "4s,4c,4h,9s,10c,js,qd\r\n"
                                "   \t \n"
                                "\t  # indented comment, AS AS AS\n"
                                "  as\t2s , 3s,,4h \t9c\tTd   kc  \n"
                                "AS 2S 3S 4H 9C 1D KC\n"
                                "AS 2S 3S 4H 9C 10D\n"
                                "AS 2S 3S 4H 9C 10D KC QH\n"
                                "KH 2S 3S 4H 9C 10D KH\n"
                                "\r\n"
                                ",\n"
                                "AS 2S 3S 4H 9C 10D KC # a note\n"
                                "7h 8s 9h 10s jh qs kh";

const std::string kMixedOut = "3\tAS 2S 3S 4H 9C 10D KC\n"
                              "-6\t4S 4C 4H 9S 10C JS QD\n"
                              "3\tAS 2S 3S 4H 9C 10D KC\n"
                              "7\t7H 8S 9H 10S JH QS KH\n";

const std::string kMixedErrors =
    "line 8: \"1D\" " + kNotACard +         //
    "line 9: 6 cards given" + kSevenCards + //
    "line 10: 8 cards given" + kSevenCards +
    "line 11: KH is repeated (cards 1 and 7); the seven cards of a hand are all different\n"
    "line 13: no cards given" +
    kSevenCards + //
    "line 14: \"#\" " + kNotACard;

TEST(Batch, ScoresGoodLinesSkipsBlankAndCommentLinesAndNumbersBadOnes) {
    const BatchRun run = scoreText(kMixedInput);
    EXPECT_EQ(run.out, kMixedOut);
    EXPECT_EQ(run.errors, kMixedErrors);
    EXPECT_EQ(run.result.hands, 4U);
    EXPECT_EQ(run.result.badLines, 6U);
    EXPECT_EQ(run.result.exitStatus(), 1);
}

TEST(Batch, LinesSplitAcrossReadsAndChunksGiveTheSameResults) {
    // The longest line of the input is 31 characters, so 32 is the smallest
    // buffer that holds each of them whole.
    for (const std::size_t chunkSize : {std::size_t{32}, std::size_t{33}, std::size_t{47}, kDefaultChunkSize}) {
        for (const std::size_t maxRead : {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{31}, SIZE_MAX}) {
            const BatchRun run = scoreText(kMixedInput, chunkSize, maxRead);
            EXPECT_EQ(run.out, kMixedOut) << chunkSize << " " << maxRead;
            EXPECT_EQ(run.errors, kMixedErrors) << chunkSize << " " << maxRead;
        }
    }
}

TEST(Batch, ExitsZeroWhenEveryLineIsGoodOrSkipped) {
    struct Row {
        const char* input;
        const char* out;
        std::uint64_t hands;
    };
    for (const Row& row : {Row{"", "", 0}, Row{"\n\n# nothing\n", "", 0}, Row{"\r", "", 0},
                           Row{"AS 2S 3S 4H 9C 10D KC", "3\tAS 2S 3S 4H 9C 10D KC\n", 1},
                           Row{"4S 4C 4H 9S 10C JS QD\r\n\n", "-6\t4S 4C 4H 9S 10C JS QD\n", 1}}) {
        const BatchRun run = scoreText(row.input);
        EXPECT_EQ(run.out, row.out) << row.input;
        EXPECT_EQ(run.errors, "") << row.input;
        EXPECT_EQ(run.result.hands, row.hands) << row.input;
        EXPECT_EQ(run.result.exitStatus(), 0) << row.input;
    }
}

TEST(Batch, LinesLongerThanTheBufferAreReportedOrSkippedWithoutGrowingIt) {
    const std::string blanks(40, ' ');
    const std::string input = blanks +
                              "AS 2S 3S 4H 9C 10D KC\n"       // 1: leading blanks make room
                              "AS 2S 3S 4H 9C 10D KC QH KH\n" // 2: too long
                              "# a comment that runs on far past the end of the buffer, AS\n" // 3
                              "4S 4C 4H 9S 10C JS QD\n"                                       // 4
                              + blanks + "\n"                                                 // 5: blank, however long
                              + blanks +
                              "# indented, and long enough to overflow\n" // 6
                              "x" +
                              blanks +
                              "\n"                      // 7: too long
                              "7h 8s 9h 10s jh qs kh\n" // 8
                              + std::string(100, 'Z');  // 9: too long, at the end
    const std::string tooLong = ": too long; a line holds at most 23 characters after its leading blanks\n";
    for (const std::size_t maxRead : {std::size_t{1}, std::size_t{5}, std::size_t{24}, SIZE_MAX}) {
        const BatchRun run = scoreText(input, 24, maxRead);
        EXPECT_EQ(run.out, "3\tAS 2S 3S 4H 9C 10D KC\n"
                           "-6\t4S 4C 4H 9S 10C JS QD\n"
                           "7\t7H 8S 9H 10S JH QS KH\n")
            << maxRead;
        EXPECT_EQ(run.errors, "line 2" + tooLong + "line 7" + tooLong + "line 9" + tooLong) << maxRead;
        EXPECT_EQ(run.result.exitStatus(), 1);
    }
}

TEST(Batch, OutputLargerThanItsBufferArrivesWholeAndInOrder) {
    std::string input;
    std::string want;
    for (int i = 0; i < 6000; ++i) {
        if (i % 3 == 0) {
            input += "as 2s 3s 4h 9c td kc\n";
            want += "3\tAS 2S 3S 4H 9C 10D KC\n";
        } else {
            input += "4S,4C,4H,9S,10C,JS,QD\n";
            want += "-6\t4S 4C 4H 9S 10C JS QD\n";
        }
    }
    for (const std::size_t maxRead : {std::size_t{1000}, SIZE_MAX}) {
        const BatchRun run = scoreText(input, kDefaultChunkSize, maxRead);
        EXPECT_EQ(run.out, want);
        EXPECT_EQ(run.result.hands, 6000U);
    }
}

// Both streams into one place, as with 2>&1.
class SharedWriter final : public ByteWriter {
public:
    explicit SharedWriter(std::string& text) : text_(text) {}
    void write(std::string_view bytes) override { text_.append(bytes); }

private:
    std::string& text_;
};

TEST(Batch, EachMessageFollowsTheResultsOfTheLinesBeforeIt) {
    std::string transcript;
    SharedWriter out(transcript);
    SharedWriter errors(transcript);
    StringReader in("AS 2S 3S 4H 9C 10D KC\nAS\n4S 4C 4H 9S 10C JS QD\nQQ\n");
    (void)scoreBatch(in, out, errors);
    EXPECT_EQ(transcript, "3\tAS 2S 3S 4H 9C 10D KC\n"
                          "line 2: 1 card given" +
                              kSevenCards + "-6\t4S 4C 4H 9S 10C JS QD\n" + "line 4: \"QQ\" " + kNotACard);
}

class FailingReader final : public ByteReader {
public:
    std::size_t read(char* data, std::size_t size) override {
        if (served_) {
            throw std::runtime_error("cannot read standard input: Input/output error");
        }
        served_ = true;
        const std::string_view first = "AS 2S 3S 4H 9C 10D KC\n4S 4C";
        const std::size_t count = std::min(size, first.size());
        std::copy_n(first.data(), count, data);
        return count;
    }

private:
    bool served_ = false;
};

TEST(Batch, AReadFailureEscapesAfterTheResultsReadSoFar) {
    FailingReader in;
    StringWriter out;
    StringWriter errors;
    EXPECT_THROW((void)scoreBatch(in, out, errors), std::runtime_error);
    EXPECT_EQ(out.text(), "3\tAS 2S 3S 4H 9C 10D KC\n");
    EXPECT_EQ(errors.text(), "");
}

TEST(Batch, NeedsRoomForAtLeastOneByte) {
    StringReader in("AS\n");
    StringWriter out;
    StringWriter errors;
    EXPECT_THROW((void)scoreBatch(in, out, errors, 0), std::invalid_argument);
}

} // namespace
} // namespace dealwise::cli
