#include "interval_list_model.h"

#include <QColor>

#include <algorithm>

namespace {

const std::array<const char*, CIntervalRows::ColumnCount> kHeadings = {
    "Date", "Measure No.", "Current No.", "Start. time", "End. time", "Duration", "Uddhacca",
};

} // namespace

CIntervalListModel::CIntervalListModel(QObject* parent) : QAbstractTableModel(parent) {}

int CIntervalListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.Count();
}

int CIntervalListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : CIntervalRows::ColumnCount;
}

QVariant CIntervalListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.Count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(CIntervalRows::CellText(m_rows.Row(index.row()), index.column()));
    case Qt::BackgroundRole:
        // Every second row from the top is light yellow, whatever the order.
        return index.row() % 2 ? QColor(255, 255, 204) : QColor(255, 255, 255);
    case Qt::ForegroundRole: return QColor(0, 0, 0);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant CIntervalListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= CIntervalRows::ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kHeadings[static_cast<std::size_t>(section)]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void CIntervalListModel::Clear()
{
    beginResetModel();
    m_rows.Clear();
    endResetModel();
}

void CIntervalListModel::Fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement)
{
    beginResetModel();
    m_rows.Fill(type, onlyMeasurement);
    endResetModel();
}

void CIntervalListModel::AddRow(const CDataEntry& entry, std::int32_t record)
{
    const int row = m_rows.Count();
    beginInsertRows({}, row, row);
    m_rows.Add(entry, record);
    endInsertRows();
}

void CIntervalListModel::SortRows(int column, bool ascending)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> newIndex = m_rows.Sort(column, ascending);
    // Selection and current row move with their rows.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newIndex[static_cast<std::size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CIntervalListModel::DeleteRows(TrainingType& type, std::vector<int> rows)
{
    if (rows.empty())
        return;
    m_rows.RemoveRecordsOf(type, rows);
    // Remove from the bottom up in runs of neighbouring rows, so that the
    // indexes still to be removed stay valid.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    auto last = rows.rbegin();
    while (last != rows.rend()) {
        auto first = last;
        while (std::next(first) != rows.rend() && *std::next(first) == *first - 1)
            ++first;
        beginRemoveRows({}, *first, *last);
        m_rows.EraseRows(*first, *last);
        endRemoveRows();
        last = std::next(first);
    }
}
