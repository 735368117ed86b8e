// SPDX-License-Identifier: MIT
#include "windows/application.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "windows/fonts.h"

namespace dealwise {

void configureApplication(QApplication& application) {
    // Qt's own "Windows" style draws the flat grey faces, sunken boxes and
    // etched frames of the classic desktop Dealwise was made for; the
    // platform's modern styles would pad the 17-pixel card buttons until
    // their captions no longer fit.
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(classic);
    }
    QApplication::setPalette(QApplication::style()->standardPalette());
    installFontSubstitute();
    QApplication::setFont(fontFor(layout::FontKind::Default));
    application.setApplicationName(QStringLiteral("Dealwise"));
    application.setApplicationVersion(QStringLiteral(DEALWISE_VERSION_TEXT));
    application.setQuitOnLastWindowClosed(false);
}

} // namespace dealwise
