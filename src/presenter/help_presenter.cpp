// SPDX-License-Identifier: MIT
#include "presenter/help_presenter.h"

#include <utility>

#include "presenter/help_texts.h"

namespace dealwise {

std::string_view HelpPresenter::text1() noexcept { return kHelpText1; }
std::string_view HelpPresenter::text2() noexcept { return kHelpText2; }

void HelpPresenter::show() {
    exists_ = true;
    if (!loaded_) {
        loaded_ = true;
        changes_.loaded = true;
        changes_.focus = "Text1"; // a freshly loaded window starts in its first box
    }
    shown_ = true;
    changes_.shown = true;
    changes_.hidden = false;
}

void HelpPresenter::hide() {
    shown_ = false;
    changes_.hidden = true;
    changes_.shown = false;
}

void HelpPresenter::close() noexcept {
    loaded_ = false;
    shown_ = false;
}

HelpChanges HelpPresenter::takeChanges() noexcept { return std::exchange(changes_, HelpChanges{}); }

} // namespace dealwise
