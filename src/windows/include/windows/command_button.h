// SPDX-License-Identifier: MIT
#pragma once

#include <QKeyEvent>
#include <QPushButton>

namespace dealwise {

// A push button as on the classic desktop: Enter presses the button that has
// the focus (and only that one), as Space does. There is no default button.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent) : QPushButton(parent) {
        setAutoDefault(false);
        setDefault(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace dealwise
