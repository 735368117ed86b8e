// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QGroupBox>

namespace dealwise {

// A frame whose caption has a colour of its own, independent of the text
// colours its children inherit.
class FrameBox : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QColor captionColor READ captionColor)

public:
    explicit FrameBox(QWidget* parent) : QGroupBox(parent) {}

    [[nodiscard]] QColor captionColor() const { return captionColor_; }
    void setCaptionColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor captionColor_;
};

} // namespace dealwise
