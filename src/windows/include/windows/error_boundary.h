// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QWidget;

namespace dealwise {

// The one place where an error that leaves an operation is handled: the
// operation stops where the error arose, what it changed before stays
// changed, the user is told in a message box, and the program goes on.
// Every handler that a control event runs goes through here, so no exception
// reaches the toolkit's event loop however the event arrived.
void runGuarded(QWidget* owner, const std::function<void()>& operation) noexcept;

} // namespace dealwise
