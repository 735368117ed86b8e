// SPDX-License-Identifier: MIT
#include "study/chart.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

namespace dealwise::study {
namespace {

// The study program makes its QApplication only when it draws; a call made
// without one must fail plainly, not crash inside Qt.
TEST(StudyChart, FailsWithoutAnApplication) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StudyTally tally;
    tally.add(3, true);
    tally.add(1, false);
    EXPECT_FALSE(writeChart(tally, dir.filePath("chart.svg"), dir.filePath("chart.png"), "no application"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("chart.svg")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("chart.png")));
}

} // namespace
} // namespace dealwise::study
