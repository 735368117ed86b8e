#include "windows/frm_help.h"

#include <QCloseEvent>

#include "windows/control_factory.h"
#include "windows/help_texts.h"
#include "windows/layout_table.h"

namespace dealwise {

namespace {

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

frmHelp::frmHelp() {
    placeWindow(*this, layout::kHelpWindow);
    const auto controls = buildControls(*this, layout::helpWindowControls());
    Text1 = qobject_cast<QPlainTextEdit*>(controls.value(QStringLiteral("Text1")));
    Text2 = qobject_cast<QPlainTextEdit*>(controls.value(QStringLiteral("Text2")));
    // The boxes have no captions; their names say which steps each holds.
    Text1->setAccessibleName(QStringLiteral("Help, steps 1 to 4"));
    Text2->setAccessibleName(QStringLiteral("Help, steps 5 and 6"));
}

void frmHelp::Form_Load() {
    Text1->setPlainText(fromView(kHelpText1));
    Text2->setPlainText(fromView(kHelpText2));
}

void frmHelp::showHelp() {
    if (!loaded_) {
        Form_Load();
        loaded_ = true;
        Text1->setFocus(Qt::OtherFocusReason); // a freshly loaded window starts in its first box
        move(layout::toPixels(layout::kHelpWindow.outerLeft), layout::toPixels(layout::kHelpWindow.outerTop));
        resize(layout::toPixels(layout::kHelpWindow.clientWidth), layout::toPixels(layout::kHelpWindow.clientHeight));
    }
    // A help window the user minimised comes back into view rather than
    // staying on the task bar after Help was pressed.
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    raise();
    activateWindow();
}

void frmHelp::closeEvent(QCloseEvent* event) {
    loaded_ = false;
    event->accept();
}

} // namespace dealwise
