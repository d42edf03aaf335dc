#pragma once

#include "practice/interval_rows.h"

#include <QAbstractTableModel>

#include <optional>

class DocumentNotifier;
class TrainingDocument;

// The rows of the interval list as a table model: seven text columns and the
// alternating row background. It holds a copy of each shown record and the
// record's position, never one widget item per row, and follows the
// document: an appended record of the shown training type becomes one new
// row, removed records lose their rows.
class IntervalListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    IntervalListModel(const TrainingDocument& document, DocumentNotifier& notifier, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // All records of the training type in stored order, or those of one measurement.
    void showRecords(int type, std::optional<std::uint16_t> onlyMeasurement);
    // No rows for now; records appended to the type from now on are added (while measuring).
    void showNewRecordsOnly(int type);
    // No rows, and no training type to follow.
    void clear();
    void sortRows(int column, bool ascending);

    int shownType() const { return m_type; }
    const IntervalRows& rows() const { return m_rows; }
    // The records that these rows show, ordered by position.
    std::vector<PlacedRecord> recordsOfRows(const std::vector<int>& rows) const;

    static constexpr std::array<int, IntervalRows::kColumnCount> kColumnWidths = {50, 80, 80, 60, 60, 60, 70};

private:
    void onRecordsAppended(int type, int first, int count);
    void onRecordsRemoved(int type, const std::vector<int>& positions);
    void onRecordsInserted(int type);

    const TrainingDocument& m_document;
    IntervalRows m_rows;
    int m_type = -1;
    std::optional<std::uint16_t> m_onlyMeasurement;
    bool m_newRecordsOnly = false;
};
