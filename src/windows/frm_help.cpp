// SPDX-License-Identifier: MIT
#include "windows/frm_help.h"

#include <QCloseEvent>

#include "windows/control_factory.h"
#include "windows/layout_table.h"

namespace dealwise {

namespace {

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

frmHelp::frmHelp(HelpPresenter& presenter) : presenter_(presenter) {
    placeWindow(*this, layout::kHelpWindow);
    const auto controls = buildControls(*this, layout::helpWindowControls());
    Text1 = qobject_cast<QPlainTextEdit*>(controls.value(QStringLiteral("Text1")));
    Text2 = qobject_cast<QPlainTextEdit*>(controls.value(QStringLiteral("Text2")));
    // The boxes have no captions; their names say which steps each holds.
    Text1->setAccessibleName(QStringLiteral("Help, steps 1 to 4"));
    Text2->setAccessibleName(QStringLiteral("Help, steps 5 and 6"));
}

void frmHelp::Form_Load() {
    Text1->setPlainText(fromView(HelpPresenter::text1()));
    Text2->setPlainText(fromView(HelpPresenter::text2()));
}

void frmHelp::showHelp() {
    presenter_.show();
    showChanges();
}

void frmHelp::showChanges() {
    const HelpChanges changes = presenter_.takeChanges();
    if (changes.loaded) {
        Form_Load();
    }
    if (!changes.focus.empty()) {
        if (auto* control = findChild<QWidget*>(fromView(changes.focus))) {
            control->setFocus(Qt::OtherFocusReason);
        }
    }
    if (changes.loaded) {
        move(layout::toPixels(layout::kHelpWindow.outerLeft), layout::toPixels(layout::kHelpWindow.outerTop));
        resize(layout::toPixels(layout::kHelpWindow.clientWidth), layout::toPixels(layout::kHelpWindow.clientHeight));
    }
    if (changes.shown) {
        // A help window the user minimised comes back into view rather than
        // staying on the task bar after Help was pressed.
        if (isMinimized()) {
            setWindowState(windowState() & ~Qt::WindowMinimized);
        }
        show();
        raise();
        activateWindow();
    }
    if (changes.hidden) {
        hide();
    }
}

void frmHelp::closeEvent(QCloseEvent* event) {
    presenter_.close();
    event->accept();
}

} // namespace dealwise
