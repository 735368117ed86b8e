// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>

#include "study/arguments.h"
#include "study/study_run.h"

namespace dealwise::study {

// Writes into the merge's folder the study of all the shards' deals: its
// manifest, deals.csv (the shards' rows in deal order), summary.md and the
// chart, the same as one run over those deals would have written, and a line
// of what it merged on `out`. Reads each shard twice, a row at a time, and
// keeps only the counts. Throws StudyError, before writing anything, for
// shards of different settings, overlapping or leaving deals out, or
// unfinished, and for a folder that already holds a study.
void runMerge(const MergeArguments& arguments, const ChartWriter& drawChart, std::ostream& out);

} // namespace dealwise::study
