#pragma once

#include <QPixmap>
#include <QTableView>

class IntervalListModel;

// The interval list: a report-style table over IntervalListModel. A header
// click sorts by that column, ascending and descending in turn with one
// direction shared by all columns; a double click anywhere on the list is
// reported to the form. A faint picture lies centred behind the rows.
// Tab leaves the list like any other control; Home and End go to the first
// and last row; the Delete key asks the form to delete the selection.
class IntervalListView : public QTableView {
    Q_OBJECT
public:
    explicit IntervalListView(QWidget* parent = nullptr);

    void setIntervalModel(IntervalListModel* model);
    IntervalListModel* intervalModel() const { return m_model; }
    // Rows selected, in ascending order.
    std::vector<int> selectedRows() const;
    // Grid lines are shown only while the training type holds intervals.
    void showGridLines(bool show) { setShowGrid(show); }

    bool m_sortAscending = false;

signals:
    // A double click on the list (on a row or on its empty area).
    void doubleClicked();
    // The Delete key was pressed on the list.
    void deleteKeyPressed();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onHeaderClicked(int column);
    // After a fill or new rows: the newest row in stored order, the top in a sorted one.
    void showNewestRow();
    // Gives each column at least its stated width, heading and widest value, and spreads the rest.
    void fitColumns();

    IntervalListModel* m_model = nullptr;
    QPixmap m_background;
    bool m_inStoredOrder = true;
};
