// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace dealwise {

// What the program and its window tests share before the first window is
// made: the classic "Windows" style and the fonts.
void configureApplication(QApplication& application);

} // namespace dealwise
