// SPDX-License-Identifier: MIT
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

#include "presenter/help_presenter.h"

namespace dealwise {

// The usage instructions in two text boxes, a view of HelpPresenter. The
// user may edit them; closing the window unloads it, and the next time it is
// shown it loads afresh.
class frmHelp : public QWidget { // NOLINT(readability-identifier-naming)
    Q_OBJECT

public:
    explicit frmHelp(HelpPresenter& presenter);

    // Shows the window; loads it first if it is not loaded (the first time,
    // or after the user closed it).
    void showHelp();
    // Applies what the presenter changed since this was last called.
    void showChanges();

    [[nodiscard]] bool isLoaded() const noexcept { return presenter_.loaded(); }

    void Form_Load(); // NOLINT(readability-identifier-naming)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* Text1 = nullptr; // NOLINT(readability-identifier-naming)
    QPlainTextEdit* Text2 = nullptr; // NOLINT(readability-identifier-naming)
    HelpPresenter& presenter_;
};

} // namespace dealwise
