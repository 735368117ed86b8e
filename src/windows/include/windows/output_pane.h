// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <QStringList>

namespace dealwise {

// The pane the reports are printed into: each printed line is drawn below the
// previous one, in the pane's font, from the top-left corner. It keeps what
// it printed since it was last cleared, so it repaints the same text when it
// is uncovered, and tests and assistive tools can read the lines back.
// Assistive tools see it as read-only static text: its value and its text
// are the printed lines, one per line.
class OutputPane : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QStringList lines READ lines)

public:
    explicit OutputPane(QWidget* parent);

    [[nodiscard]] const QStringList& lines() const noexcept { return lines_; }
    // The printed lines, each ended by a newline but the last.
    [[nodiscard]] QString text() const { return lines_.join(QLatin1Char('\n')); }

    void clearPane();
    void printLine(const QString& line);

    // Where a character of text() is drawn, in the pane's own coordinates; an
    // empty rectangle for an offset outside the text.
    [[nodiscard]] QRect characterRect(qsizetype offset) const;
    // The offset in text() of the character drawn at the point, or -1.
    [[nodiscard]] qsizetype offsetAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines_;
};

} // namespace dealwise
