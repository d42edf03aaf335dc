#pragma once

#include <QAccessibleWidget>

class IntervalClock;

// The interval clock as a screen reader meets it: a label named after what it
// shows, whose text is the time on its face (none while the face is dark).
class IntervalClockAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit IntervalClockAccessible(IntervalClock* clock);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text textType) const override;

    // The text cannot be selected or edited, and has no caret.
    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QString shownTime() const;
};
