#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace dealwise {

// The usage instructions in two text boxes. The user may edit them; closing
// the window unloads it, and the next time it is shown it loads afresh.
class frmHelp : public QWidget { // NOLINT(readability-identifier-naming)
    Q_OBJECT

public:
    frmHelp();

    // Shows the window; loads it first if it is not loaded (the first time,
    // or after the user closed it).
    void showHelp();

    [[nodiscard]] bool isLoaded() const noexcept { return loaded_; }

    void Form_Load(); // NOLINT(readability-identifier-naming)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* Text1 = nullptr; // NOLINT(readability-identifier-naming)
    QPlainTextEdit* Text2 = nullptr; // NOLINT(readability-identifier-naming)
    bool loaded_ = false;
};

} // namespace dealwise
