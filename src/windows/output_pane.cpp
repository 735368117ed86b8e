// SPDX-License-Identifier: MIT
#include "windows/output_pane.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace dealwise {

namespace {

// The pane's text to assistive tools: painted text has no text widget to
// speak for it. Nothing in it is selectable or editable, so the selection
// and cursor calls have nothing to do.
class OutputPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit OutputPaneAccessible(OutputPane* pane) : QAccessibleWidget(pane, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? pane().text() : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType kind) override {
        if (kind == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(kind);
    }

    void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}

    QString text(int startOffset, int endOffset) const override {
        return pane().text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(pane().text().size()); }

    // Each printed line is a line of its own: nothing wraps, so a line ends
    // only where a paragraph does.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        return QAccessibleTextInterface::textBeforeOffset(offset, printedLines(boundary), startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        return QAccessibleTextInterface::textAfterOffset(offset, printedLines(boundary), startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        return QAccessibleTextInterface::textAtOffset(offset, printedLines(boundary), startOffset, endOffset);
    }

    QRect characterRect(int offset) const override {
        const QRect local = pane().characterRect(offset);
        return local.isNull() ? local : QRect(pane().mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return static_cast<int>(pane().offsetAt(pane().mapFromGlobal(point)));
    }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {} // nothing scrolls
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

private:
    [[nodiscard]] const OutputPane& pane() const { return *static_cast<const OutputPane*>(object()); }

    static QAccessible::TextBoundaryType printedLines(QAccessible::TextBoundaryType boundary) {
        return boundary == QAccessible::LineBoundary ? QAccessible::ParagraphBoundary : boundary;
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(OutputPane::staticMetaObject.className())) {
        if (auto* pane = qobject_cast<OutputPane*>(object)) {
            return new OutputPaneAccessible(pane);
        }
    }
    return nullptr;
}

} // namespace

OutputPane::OutputPane(QWidget* parent) : QFrame(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    Q_UNUSED(accessible);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
}

// Assistive tools follow the text through these events. Each costs a copy of
// the whole text, so they are made only while a tool listens.
void OutputPane::clearPane() {
    if (QAccessible::isActive() && !lines_.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, 0, text());
        QAccessible::updateAccessibility(&event);
    }
    lines_.clear();
    update();
}

void OutputPane::printLine(const QString& line) {
    if (QAccessible::isActive()) {
        const QString inserted = lines_.isEmpty() ? line : QLatin1Char('\n') + line;
        QAccessibleTextInsertEvent event(this, static_cast<int>(text().size()), inserted);
        lines_.append(line);
        QAccessible::updateAccessibility(&event);
    } else {
        lines_.append(line);
    }
    update();
}

QRect OutputPane::characterRect(qsizetype offset) const {
    const QRect area = contentsRect();
    const QFontMetrics metrics(font());
    qsizetype lineStart = 0;
    for (qsizetype row = 0; row < lines_.size(); ++row) {
        const QString& line = lines_[row];
        if (offset >= lineStart && offset <= lineStart + line.size()) {
            const qsizetype column = offset - lineStart;
            const int left = metrics.horizontalAdvance(line.left(column));
            // The newline after a line takes no room of its own.
            const int right = column < line.size() ? metrics.horizontalAdvance(line.left(column + 1)) : left;
            return {area.left() + left, area.top() + static_cast<int>(row) * metrics.height(), right - left,
                    metrics.height()};
        }
        lineStart += line.size() + 1;
    }
    return {};
}

qsizetype OutputPane::offsetAt(QPoint point) const {
    const QRect area = contentsRect();
    const QFontMetrics metrics(font());
    if (!area.contains(point)) {
        return -1;
    }
    const qsizetype row = (point.y() - area.top()) / metrics.height();
    if (row >= lines_.size()) {
        return -1;
    }
    qsizetype lineStart = 0;
    for (qsizetype earlier = 0; earlier < row; ++earlier) {
        lineStart += lines_[earlier].size() + 1;
    }
    const QString& line = lines_[row];
    for (qsizetype column = 0; column < line.size(); ++column) {
        if (point.x() < area.left() + metrics.horizontalAdvance(line.left(column + 1))) {
            return lineStart + column;
        }
    }
    return -1;
}

void OutputPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int baseline = area.top() + metrics.ascent();
    for (const QString& line : lines_) {
        if (baseline - metrics.ascent() > area.bottom()) {
            break; // nothing scrolls: lines below the bottom edge are not seen
        }
        painter.drawText(area.left(), baseline, line);
        baseline += metrics.height();
    }
}

} // namespace dealwise
