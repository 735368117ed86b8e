// SPDX-License-Identifier: MIT
#include "windows/control_factory.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <vector>

#include "presenter/spoken_text.h"
#include "windows/command_button.h"
#include "windows/fonts.h"
#include "windows/frame_box.h"
#include "windows/output_pane.h"

namespace dealwise {

namespace {

using layout::Colour;
using layout::ControlKind;
using layout::ControlSpec;

QColor resolve(const Colour& colour, const QPalette& standard, QPalette::ColorRole standardRole) {
    switch (colour.kind) {
    case Colour::Kind::Rgb:
        return {colour.red, colour.green, colour.blue};
    case Colour::Kind::HighlightedText:
        return standard.color(QPalette::HighlightedText);
    case Colour::Kind::Standard:
        break;
    }
    return standard.color(standardRole);
}

// Each control gets a complete palette of its own, so that a frame's colours
// never leak into the controls it holds.
void applyColours(QWidget& widget, const ControlSpec& entry) {
    QPalette palette = QApplication::palette();
    const QPalette standard = palette;
    switch (entry.kind) {
    case ControlKind::Frame:
    case ControlKind::Label:
    case ControlKind::PictureBox:
        palette.setColor(QPalette::Window, resolve(entry.background, standard, QPalette::Button));
        palette.setColor(QPalette::WindowText, resolve(entry.foreground, standard, QPalette::ButtonText));
        widget.setAutoFillBackground(true);
        break;
    case ControlKind::CommandButton:
    case ControlKind::TextBox:
    case ControlKind::MultiLineTextBox:
        break;
    }
    palette.setResolveMask(~QPalette::ResolveMask{0});
    widget.setPalette(palette);
}

QWidget* createControl(const ControlSpec& entry, QWidget* parent) {
    const QString caption = QString::fromUtf8(entry.caption.data(), static_cast<qsizetype>(entry.caption.size()));
    switch (entry.kind) {
    case ControlKind::Frame: {
        auto* frame = new FrameBox(parent);
        frame->setTitle(caption);
        frame->setCaptionColor(resolve(entry.foreground, QApplication::palette(), QPalette::ButtonText));
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFocusPolicy(Qt::NoFocus);
        return label;
    }
    case ControlKind::CommandButton: {
        auto* button = new CommandButton(parent);
        button->setText(caption);
        // A card button's caption is its rank, and later its place in the
        // hand: its name says the whole card, whatever the caption shows.
        button->setAccessibleName(entry.isCard ? QString::fromStdString(spokenCardName(entry.card)) : caption);
        return button;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(caption, parent);
        box->setAlignment(Qt::AlignLeft);
        return box;
    }
    case ControlKind::MultiLineTextBox: {
        auto* box = new QPlainTextEdit(caption, parent);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setWordWrapMode(QTextOption::WordWrap);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setTabChangesFocus(true);
        return box;
    }
    case ControlKind::PictureBox:
        return new OutputPane(parent);
    }
    return nullptr;
}

} // namespace

QRect toPixels(const layout::Rect& twips) {
    return {layout::toPixels(twips.left), layout::toPixels(twips.top), layout::toPixels(twips.width),
            layout::toPixels(twips.height)};
}

QHash<QString, QWidget*> buildControls(QWidget& window, std::span<const ControlSpec> table) {
    QHash<QString, QWidget*> controls;
    for (const ControlSpec& entry : table) {
        QWidget* parent = entry.container.empty() ? &window : controls.value(QString::fromLatin1(entry.container));
        Q_ASSERT(parent != nullptr); // a container is listed before what it holds
        QWidget* control = createControl(entry, parent);
        control->setObjectName(QString::fromLatin1(entry.name));
        control->setGeometry(toPixels(entry.twips));
        control->setFont(fontFor(entry.font));
        applyColours(*control, entry);
        controls.insert(control->objectName(), control);
    }

    // Raising from the bottom of the list up leaves the first-listed sibling
    // on top.
    for (auto entry = table.rbegin(); entry != table.rend(); ++entry) {
        controls.value(QString::fromLatin1(entry->name))->raise();
    }

    std::vector<const ControlSpec*> byTabIndex;
    for (const ControlSpec& entry : table) {
        byTabIndex.push_back(&entry);
    }
    std::sort(byTabIndex.begin(), byTabIndex.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlSpec* entry : byTabIndex) {
        QWidget* control = controls.value(QString::fromLatin1(entry->name));
        if (control->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
    return controls;
}

QIcon applicationIcon() {
    // Made once, and only in the sizes a title bar, task bar or window switcher
    // shows: each file is decoded as it is added, and the large ones are for
    // the desktop's own icon theme.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 24, 32, 48, 64}) {
            sizes.addFile(QStringLiteral(":/icons/%1x%1/apps/dealwise.png").arg(size), QSize(size, size));
        }
        return sizes;
    }();
    return icon;
}

void placeWindow(QWidget& window, const layout::WindowSpec& entry) {
    window.setWindowIcon(applicationIcon());
    window.setObjectName(QString::fromLatin1(entry.name));
    window.setWindowTitle(QString::fromLatin1(entry.caption));
    window.setFont(fontFor(layout::FontKind::Default));
    window.resize(layout::toPixels(entry.clientWidth), layout::toPixels(entry.clientHeight));
    window.move(layout::toPixels(entry.outerLeft), layout::toPixels(entry.outerTop));
}

} // namespace dealwise
