// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace dealwise {

// What a view of the help window must do to the screen after an operation.
struct HelpChanges {
    bool loaded = false; // the texts were loaded afresh: show them, the window at its place and size
    bool shown = false;  // bring the window into view, out of the task bar if it was minimised
    bool hidden = false;
    std::string_view focus; // the control that takes the focus; empty: the focus stays

    friend bool operator==(const HelpChanges&, const HelpChanges&) = default;
};

// frmHelp as the user sees it, without a toolkit. The user may edit the two
// texts; those edits live in the view's boxes and last until the window is
// closed, which unloads it: the next time it is shown it loads afresh.
class HelpPresenter {
public:
    // Whether the window was ever made: Help makes it once, and it lives on,
    // loaded or not, until the program ends.
    [[nodiscard]] bool exists() const noexcept { return exists_; }
    [[nodiscard]] bool loaded() const noexcept { return loaded_; }
    [[nodiscard]] bool shown() const noexcept { return shown_; }

    // The texts a load puts in the two boxes, Text1 and Text2.
    [[nodiscard]] static std::string_view text1() noexcept;
    [[nodiscard]] static std::string_view text2() noexcept;

    // Shows the window, loading it first if it is not loaded.
    void show();
    // The program ends: off the screen, but still loaded.
    void hide();
    // The user closed the window. The window system has already taken it off
    // the screen, so there is nothing for the view to do.
    void close() noexcept;

    // What changed since the last call, for the view to apply.
    [[nodiscard]] HelpChanges takeChanges() noexcept;

private:
    bool exists_ = false;
    bool loaded_ = false;
    bool shown_ = false;
    HelpChanges changes_;
};

} // namespace dealwise
