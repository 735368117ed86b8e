// SPDX-License-Identifier: MIT
// dealwise-study: plays many Klondike deals with the greedy player and asks
// whether the Dealwise score of a deal's seven face-up cards predicts a win.
#include <QApplication>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <unistd.h>

#include "study/arguments.h"
#include "study/chart.h"
#include "study/merge.h"
#include "study/stop_signals.h"
#include "study/study_run.h"

namespace {

bool drawChart(const dealwise::study::StudyTally& tally, const std::string& svgPath, const std::string& pngPath,
               const std::string& title) {
    return dealwise::study::writeChart(tally, QString::fromStdString(svgPath), QString::fromStdString(pngPath),
                                       QString::fromStdString(title));
}

} // namespace

int main(int argc, char** argv) {
    try {
        const dealwise::study::ParsedArguments parsed =
            dealwise::study::parseArguments(argc, argv, DEALWISE_VERSION_TEXT);
        if (!parsed.study && !parsed.merge) {
            std::fputs(parsed.message.c_str(), parsed.exitStatus == 0 ? stdout : stderr);
            return parsed.exitStatus;
        }
        // The chart is drawn offscreen: no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        int qtArgc = 1;
        QApplication application(qtArgc, argv);
        if (parsed.merge) {
            dealwise::study::runMerge(*parsed.merge, drawChart, std::cout);
            return 0;
        }
        dealwise::study::stopOnSignals();
        return dealwise::study::runStudy(*parsed.study, drawChart, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dealwise-study: %s\n", error.what());
        return 1;
    }
}
