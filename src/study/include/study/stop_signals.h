// SPDX-License-Identifier: MIT
#pragma once

namespace dealwise::study {

// From now on SIGINT and SIGTERM ask a running study to stop cleanly rather
// than end the program; a second one ends it at once. SIGXFSZ is ignored, so
// that a file grown past its limit fails its write instead of killing.
void stopOnSignals();

// The signal that asked the study to stop; 0 while none has.
[[nodiscard]] int stopSignal() noexcept;

} // namespace dealwise::study
