// dealwise-study: plays many Klondike deals with the greedy player and asks
// whether the Dealwise score of a deal's seven face-up cards predicts a win.
#include <QApplication>
#include <QDir>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "study/chart.h"
#include "study/csv.h"
#include "study/run_deals.h"
#include "study/solver_times.h"
#include "study/summary.h"
#include "study/tally.h"

namespace {

constexpr const char* kUsage =
    "Usage: dealwise-study [--deals N] [--first N] [--draw 1|3] [--threads N] [--out FOLDER]\n"
    "                      [--solve [--solve-seconds S]]\n"
    "Plays deals FIRST .. FIRST + N - 1 (default 1 .. 1000, draw three) with a greedy player that sees\n"
    "only the face-up cards, and writes into FOLDER (default study):\n"
    "  deals.csv    one row a deal: deal number, the seven face-up cards, score, won, moves\n"
    "  summary.md   win rate by Dealwise score, by threshold, and the area under the ROC curve\n"
    "  chart.svg, chart.png   win rate against score, with the share of deals beneath\n"
    "With --solve, an exact solver that sees every card also decides whether each deal can be won at\n"
    "all, in at most S seconds a deal (default 10); the CSV gains winnable (1, 0, or empty when\n"
    "undecided) and solve_ms, and the summary and chart the winnable rate by score and the solver's\n"
    "time. Every winning line is replayed, and a deal the greedy player won must be winnable.\n"
    "The results are the same whatever the number of threads (default: one per core).\n";

struct Arguments {
    dealwise::study::PlayOptions play;
    std::string out = "study";
};

bool parseNumber(std::string_view text, std::uint64_t& value) {
    if (text.empty() || text.size() > 12) {
        return false;
    }
    std::uint64_t parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        parsed = parsed * 10 + static_cast<std::uint64_t>(c - '0');
    }
    value = parsed;
    return true;
}

// A positive time of at most a day, "10" or "0.25".
bool parseSeconds(std::string_view text, double& seconds) {
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || !(parsed > 0.0) || parsed > 86400.0) {
        return false;
    }
    seconds = parsed;
    return true;
}

// Returns the exit status to end with, or -1 to go on.
int parseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--solve") {
            arguments.play.solve = true;
            continue;
        }
        if (option == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (option == "--version") {
            std::printf("dealwise-study %s\n", DEALWISE_VERSION_TEXT);
            return 0;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "dealwise-study: %s needs a value; see dealwise-study --help\n", argv[i]);
            return 2;
        }
        const std::string_view value = argv[++i];
        std::uint64_t number = 0;
        const bool numeric = parseNumber(value, number);
        if (option == "--deals" && numeric && number > 0) {
            arguments.play.deals = number;
        } else if (option == "--first" && numeric) {
            arguments.play.first = number;
        } else if (option == "--draw" && numeric && (number == 1 || number == 3)) {
            arguments.play.draw = static_cast<int>(number);
        } else if (option == "--threads" && numeric && number > 0 && number <= 1024) {
            arguments.play.threads = static_cast<unsigned>(number);
        } else if (option == "--solve-seconds" && parseSeconds(value, arguments.play.solveSeconds)) {
        } else if (option == "--out") {
            arguments.out = std::string(value);
        } else {
            std::fprintf(stderr, "dealwise-study: %s %s is not understood; see dealwise-study --help\n", argv[i - 1],
                         argv[i]);
            return 2;
        }
    }
    return -1;
}

// "[#####.....]  45%  123456/1000000 deals  5.2k deals/s  0:15 left", redrawn
// in place, only when stderr is a terminal.
class ProgressBar {
public:
    explicit ProgressBar(std::uint64_t total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}

    void operator()(std::uint64_t done) {
        if (!shown_) {
            return;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const double rate = seconds > 0 ? double(done) / seconds : 0.0;
        const double left = rate > 0 ? double(total_ - done) / rate : 0.0;
        constexpr int kWidth = 30;
        const int filled = static_cast<int>(kWidth * double(done) / double(total_));
        std::string bar(std::size_t(filled), '#');
        bar.resize(kWidth, '.');
        std::fprintf(stderr, "\r[%s] %3d%%  %llu/%llu deals  %.1fk deals/s  %d:%02d left ", bar.c_str(),
                     int(100.0 * double(done) / double(total_)), static_cast<unsigned long long>(done),
                     static_cast<unsigned long long>(total_), rate / 1000.0, int(left) / 60, int(left) % 60);
        if (done == total_) {
            std::fputc('\n', stderr);
        }
    }

private:
    std::uint64_t total_;
    bool shown_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

int study(const Arguments& arguments) {
    if (!QDir().mkpath(QString::fromStdString(arguments.out))) {
        std::fprintf(stderr, "dealwise-study: cannot make the folder %s\n", arguments.out.c_str());
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    ProgressBar progress(arguments.play.deals);
    const auto results =
        dealwise::study::playDeals(arguments.play, [&progress](std::uint64_t done) { progress(done); });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const bool solved = arguments.play.solve;
    dealwise::study::StudyTally tally;
    dealwise::study::SolverTimes times;
    std::ofstream csv(arguments.out + "/deals.csv");
    dealwise::study::writeCsvHeader(csv, solved);
    for (const auto& result : results) {
        tally.add(result);
        if (solved) {
            times.add(result.solveSeconds);
        }
        dealwise::study::writeCsvRow(csv, result);
    }
    std::ofstream summary(arguments.out + "/summary.md");
    dealwise::study::writeSummary(
        summary, tally, {arguments.play.draw, arguments.play.first, solved ? arguments.play.solveSeconds : 0.0},
        solved ? &times : nullptr);
    csv.close();
    summary.close();
    if (!csv || !summary) {
        std::fprintf(stderr, "dealwise-study: could not write into %s\n", arguments.out.c_str());
        return 1;
    }
    const QString folder = QString::fromStdString(arguments.out);
    const QString title =
        (solved ? QStringLiteral("Greedy wins and winnable deals by Dealwise score, draw %1, %2 deals")
                : QStringLiteral("Greedy wins by Dealwise score, draw %1, %2 deals"))
            .arg(arguments.play.draw)
            .arg(static_cast<qulonglong>(arguments.play.deals));
    if (!dealwise::study::writeChart(tally, folder + "/chart.svg", folder + "/chart.png", title)) {
        std::fprintf(stderr, "dealwise-study: could not draw the chart into %s\n", arguments.out.c_str());
        return 1;
    }
    std::printf("%llu deals, draw %d: %lld won (%s), %.1f s, %.0f deals/s; results in %s\n",
                static_cast<unsigned long long>(arguments.play.deals), arguments.play.draw,
                static_cast<long long>(tally.wins()), dealwise::study::percentText(tally.winRate()).c_str(), seconds,
                double(arguments.play.deals) / seconds, arguments.out.c_str());
    if (solved) {
        std::printf("winnable: %lld of %lld decided (%s), %lld undecided; solver time per deal: median %.3f ms, "
                    "90th %.3f ms, 99th %.3f ms, max %.3f ms\n",
                    static_cast<long long>(tally.winnable()), static_cast<long long>(tally.decided()),
                    dealwise::study::percentText(tally.winnableRate()).c_str(),
                    static_cast<long long>(tally.undecided()), times.median() * 1e3, times.percentile90() * 1e3,
                    times.percentile99() * 1e3, times.max() * 1e3);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (const int status = parseArguments(argc, argv, arguments); status >= 0) {
        return status;
    }
    // The chart is drawn offscreen: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    try {
        int qtArgc = 1;
        QApplication application(qtArgc, argv);
        return study(arguments);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dealwise-study: %s\n", error.what());
        return 1;
    }
}
