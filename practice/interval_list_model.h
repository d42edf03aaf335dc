#pragma once

#include "practice/interval_rows.h"

#include <QAbstractTableModel>

#include <optional>

class TrainingType;

// The rows of the interval list as a table model: seven text columns and the
// alternating row background. It holds a copy of each shown record and the
// record's position, never one widget item per row.
class IntervalListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit IntervalListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void clear();
    void fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement);
    void addRow(const IntervalRecord& entry, std::int32_t record = IntervalRow::kNoRecord);
    void sortRows(int column, bool ascending);
    // Deletes exactly the records of the given rows from the type, and the rows from the list.
    void deleteRows(TrainingDocument& document, const TrainingType& type, std::vector<int> rows);

    const IntervalRows& rows() const { return m_rows; }

    static constexpr std::array<int, IntervalRows::kColumnCount> kColumnWidths = {50, 80, 80, 60, 60, 60, 70};

private:
    IntervalRows m_rows;
};
