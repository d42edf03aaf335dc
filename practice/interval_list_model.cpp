#include "practice/interval_list_model.h"

#include <QColor>

#include <algorithm>

namespace {

const std::array<const char*, IntervalRows::kColumnCount> kHeadings = {
    "Date", "Measure No.", "Current No.", "Start. time", "End. time", "Duration", "Uddhacca",
};

} // namespace

IntervalListModel::IntervalListModel(QObject* parent) : QAbstractTableModel(parent)
{
}

int IntervalListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.count();
}

int IntervalListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : IntervalRows::kColumnCount;
}

QVariant IntervalListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(IntervalRows::cellText(m_rows.row(index.row()), index.column()));
    case Qt::BackgroundRole:
        // Every second row from the top is light yellow, whatever the order.
        return index.row() % 2 ? QColor(255, 255, 204) : QColor(255, 255, 255);
    case Qt::ForegroundRole: return QColor(0, 0, 0);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant IntervalListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= IntervalRows::kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kHeadings[static_cast<std::size_t>(section)]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void IntervalListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void IntervalListModel::fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement)
{
    beginResetModel();
    m_rows.fill(type, onlyMeasurement);
    endResetModel();
}

void IntervalListModel::addRow(const IntervalRecord& entry, std::int32_t record)
{
    const int row = m_rows.count();
    beginInsertRows({}, row, row);
    m_rows.add(entry, record);
    endInsertRows();
}

void IntervalListModel::sortRows(int column, bool ascending)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> newIndex = m_rows.sort(column, ascending);
    // Selection and current row move with their rows.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newIndex[static_cast<std::size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void IntervalListModel::deleteRows(TrainingDocument& document, const TrainingType& type, std::vector<int> rows)
{
    if (rows.empty())
        return;
    m_rows.removeRecordsOf(document, type, rows);
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
        m_rows.eraseRows(*first, *last);
        endRemoveRows();
        last = std::next(first);
    }
}
