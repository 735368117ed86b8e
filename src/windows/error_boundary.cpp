// SPDX-License-Identifier: MIT
#include "windows/error_boundary.h"

#include <QMessageBox>
#include <QWidget>

#include <cstdio>
#include <exception>

namespace dealwise {

namespace {

void tellUser(QWidget* owner, const QString& message) {
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Dealwise"), message, QMessageBox::Ok, owner);
    box->setObjectName(QStringLiteral("errorMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open(); // window-modal, and returns at once: the handler has ended
}

} // namespace

void runGuarded(QWidget* owner, const std::function<void()>& operation) noexcept {
    try {
        try {
            operation();
        } catch (const std::exception& error) {
            tellUser(owner, QString::fromUtf8(error.what()));
        } catch (...) {
            tellUser(owner, QStringLiteral("An unexpected error ended the operation."));
        }
    } catch (...) {
        // Not even the message box could be shown; the program still goes on.
        std::fputs("dealwise: an error ended an operation and could not be shown\n", stderr);
    }
}

} // namespace dealwise
