// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "study/csv.h"
#include "study/study_error.h"
#include "study/study_files.h"
#include "study_test_support.h"

namespace dealwise::study {
namespace {

using testing::dealOf;
using testing::TemporaryFolder;

TEST(StudyCsvReader, ReadsBackEveryColumnOfWhatItWrote) {
    DealResult solved = dealOf(18446744073709551615ULL, "10S 10C 10D 10H 9S AC KD", -2147483648, true, 2147483647);
    solved.winnable = Winnable::Undecided;
    solved.solveSeconds = 86400.0;
    const auto row =
        readCsvRow("18446744073709551615,10S 10C 10D 10H 9S AC KD,-2147483648,1,2147483647,,86400000.000", true);
    ASSERT_TRUE(row);
    EXPECT_EQ(csvRow(row->result), csvRow(solved));
    EXPECT_EQ(row->result.hand, solved.hand);
    EXPECT_EQ(row->result.winnable, Winnable::Undecided);
    EXPECT_EQ(row->solveMicroseconds, 86'400'000'000U);

    const auto won = readCsvRow("7,AS 2S 3S 4S 5S 6S 7S,3,0,41,1,0.012", true);
    ASSERT_TRUE(won);
    EXPECT_EQ(won->result.deal, 7U);
    EXPECT_EQ(won->result.score, 3);
    EXPECT_FALSE(won->result.won);
    EXPECT_EQ(won->result.moves, 41);
    EXPECT_EQ(won->result.winnable, Winnable::Yes);
    EXPECT_EQ(won->solveMicroseconds, 12U);
    EXPECT_EQ(readCsvRow("7,AS 2S 3S 4S 5S 6S 7S,3,0,41,0,1.500", true)->result.winnable, Winnable::No);

    const auto greedy = readCsvRow("8,8C 6C JD 7S KD 10H 5C,-2,1,186", false);
    ASSERT_TRUE(greedy);
    EXPECT_EQ(csvRow(greedy->result), "8,8C 6C JD 7S KD 10H 5C,-2,1,186\n");
    EXPECT_EQ(greedy->result.winnable, Winnable::NotAsked);
}

TEST(StudyCsvReader, TheTimeReadBackIsTheTimeWritten) {
    for (const double seconds : {0.0, 0.0000004, 0.0000006, 0.0012345, 0.1234565, 9.9999996, 123.456789}) {
        DealResult result = dealOf(1, "AS 2S 3S 4S 5S 6S 7S", 0, false, 1);
        result.winnable = Winnable::Yes;
        result.solveSeconds = seconds;
        std::string line = csvRow(result);
        line.pop_back();
        const auto row = readCsvRow(line, true);
        ASSERT_TRUE(row) << line;
        EXPECT_EQ(row->solveMicroseconds, csvMicroseconds(seconds)) << line;
        EXPECT_EQ(csvRow(row->result), line + "\n");
    }
}

TEST(StudyCsvReader, RefusesWhatTheWriterNeverWrites) {
    for (const char* line :
         {"", "8", "8,8C 6C JD 7S KD 10H 5C,-2,1", "8,8C 6C JD 7S KD 10H 5C,-2,1,186,",
          "08,8C 6C JD 7S KD 10H 5C,-2,1,186", "+8,8C 6C JD 7S KD 10H 5C,-2,1,186", "8,8c 6C JD 7S KD 10H 5C,-2,1,186",
          "8,8C 6C JD 7S KD 10H,-2,1,186", "8,8C 6C JD 7S KD 10H 5C 4C,-2,1,186", "8,8C  6C JD 7S KD 10H 5C,-2,1,186",
          "8,8C 6C JD 7S KD 10H 5C,-2,2,186", "8,8C 6C JD 7S KD 10H 5C,-2,1,1x6", "8,8C 6C JD 7S KD 10H 5C,-2,1,186\r",
          "-8,8C 6C JD 7S KD 10H 5C,-2,1,186", "8,8C 6C JD 7S KD 10H 5C,-2,1,99999999999"}) {
        EXPECT_FALSE(readCsvRow(line, false)) << line;
    }
    for (const char* line : {"8,8C 6C JD 7S KD 10H 5C,-2,1,186", "8,8C 6C JD 7S KD 10H 5C,-2,1,186,1,",
                             "8,8C 6C JD 7S KD 10H 5C,-2,1,186,1,1.5", "8,8C 6C JD 7S KD 10H 5C,-2,1,186,2,1.500",
                             "8,8C 6C JD 7S KD 10H 5C,-2,1,186,1,-1.500", "8,8C 6C JD 7S KD 10H 5C,-2,1,186,1,.500",
                             "8,8C 6C JD 7S KD 10H 5C,-2,1,186,1,1.5000"}) {
        EXPECT_FALSE(readCsvRow(line, true)) << line;
    }
}

struct FileRead {
    RowsRead read;
    std::vector<std::uint64_t> deals;
};

FileRead readFile(const std::string& path, const std::string& text, std::uint64_t first = 8, std::uint64_t deals = 3) {
    std::ofstream(path, std::ios::binary) << text;
    RunManifest manifest;
    manifest.first = first;
    manifest.deals = deals;
    FileRead result;
    result.read = readRows(path, manifest, [&](const CsvRow& row, std::string_view line) {
        result.deals.push_back(row.result.deal);
        EXPECT_EQ(csvRow(row.result), std::string(line) + "\n");
    });
    return result;
}

constexpr const char* kHeader = "deal,cards,score,won,moves\n";
constexpr const char* kRow8 = "8,8C 6C JD 7S KD 10H 5C,-2,1,186\n";
constexpr const char* kRow9 = "9,7H 2S 7C 4C AH 6S 8D,-4,0,2059\n";

TEST(StudyCsvReader, ReadsAFileAndFindsItsLastRowCutShort) {
    const TemporaryFolder folder;
    const std::string path = folder / "deals.csv";
    const std::string whole = std::string(kHeader) + kRow8 + kRow9;

    const FileRead complete = readFile(path, whole);
    EXPECT_EQ(complete.deals, (std::vector<std::uint64_t>{8, 9}));
    EXPECT_TRUE(complete.read.header);
    EXPECT_FALSE(complete.read.torn);
    EXPECT_EQ(complete.read.rows, 2U);
    EXPECT_EQ(complete.read.keptBytes, whole.size());

    // Every cut a crash could make, in the header or in a row.
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        const FileRead read = readFile(path, whole.substr(0, cut));
        const bool atLineEnd = whole[cut - 1] == '\n';
        EXPECT_EQ(read.read.torn, !atLineEnd) << cut;
        EXPECT_EQ(read.read.keptBytes,
                  whole.rfind('\n', cut - 1) == std::string::npos ? 0U : whole.rfind('\n', cut - 1) + 1)
            << cut;
    }
    // Garbage last, with its line break: a row the writer never finished.
    const FileRead garbage = readFile(path, whole + "10,AS 6?,\n");
    EXPECT_TRUE(garbage.read.torn);
    EXPECT_EQ(garbage.read.rows, 2U);

    const FileRead none = readFile(folder / "absent", "");
    EXPECT_FALSE(none.read.header);
    EXPECT_EQ(none.read.rows, 0U);
}

TEST(StudyCsvReader, RefusesABadRowInTheMiddleNamingItsLine) {
    const TemporaryFolder folder;
    const std::string path = folder / "deals.csv";
    const auto refusal = [&](const std::string& text, std::uint64_t deals = 3) {
        try {
            (void)readFile(path, text, 8, deals);
        } catch (const StudyError& error) {
            return std::string(error.what());
        }
        return std::string("no refusal");
    };
    EXPECT_EQ(refusal(std::string(kHeader) + "8,8C 6C JD 7S KD 10H 5C,-2,1,18x\n" + kRow9),
              path + " line 2 is not a row of this study; mend or remove it, or start again in another folder");
    EXPECT_EQ(refusal(std::string(kHeader) + kRow9),
              path + " line 2 holds deal 9, not deal 8; mend or remove it, or start again in another folder");
    EXPECT_EQ(refusal(std::string(kHeader) + kRow8 + kRow9, 1),
              path + " line 3 holds deal 9, past the study's last deal; mend or remove it, or start again in "
                     "another folder");
    EXPECT_EQ(refusal("deal,cards,score,won,moves,winnable,solve_ms\n"),
              path + " does not begin with the header of this study's CSV; choose another folder");
}

} // namespace
} // namespace dealwise::study
