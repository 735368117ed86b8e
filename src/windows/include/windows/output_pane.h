#pragma once

#include <QFrame>
#include <QStringList>

namespace dealwise {

// The pane the reports are printed into: each printed line is drawn below the
// previous one, in the pane's font, from the top-left corner. It keeps what
// it printed since it was last cleared, so it repaints the same text when it
// is uncovered, and tests and assistive tools can read the lines back.
class OutputPane : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QStringList lines READ lines)

public:
    explicit OutputPane(QWidget* parent);

    [[nodiscard]] const QStringList& lines() const noexcept { return lines_; }

    void clearPane();
    void printLine(const QString& line);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines_;
};

} // namespace dealwise
