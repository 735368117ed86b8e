// SPDX-License-Identifier: MIT
#include "windows/frame_box.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace dealwise {

void FrameBox::setCaptionColor(const QColor& colour) {
    captionColor_ = colour;
    update();
}

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (captionColor_.isValid()) {
        option.textColor = captionColor_;
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace dealwise
