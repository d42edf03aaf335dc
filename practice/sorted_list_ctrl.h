#pragma once

#include <QTableView>

class CIntervalListModel;

// The interval list: a report-style table over CIntervalListModel. A header
// click sorts by that column, ascending and descending in turn with one
// direction shared by all columns; a double click anywhere on the list is
// reported to the form.
class CSortedListCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CSortedListCtrl(QWidget* parent = nullptr);

    void SetIntervalModel(CIntervalListModel* model);
    CIntervalListModel* IntervalModel() const { return m_pModel; }
    // Rows selected, in ascending order.
    std::vector<int> SelectedRows() const;
    // Grid lines are shown only while the training type holds intervals.
    void ShowGridLines(bool show) { setShowGrid(show); }

    bool m_bSortAscending = false;

signals:
    // A double click on the list (on a row or on its empty area).
    void DoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void OnHeaderClicked(int column);

    CIntervalListModel* m_pModel = nullptr;
};
