#include "practice/interval_list_model.h"

#include "editing/document_notifier.h"
#include "evaluation/term_explanations.h"
#include "platform/wrapped_tool_tip.h"
#include "records/training_document.h"

#include <QColor>

#include <algorithm>

namespace {

const std::array<const char*, IntervalRows::kColumnCount> kHeadings = {
    "Date", "Measure No.", "Current No.", "Start. time", "End. time", "Duration", "Uddhacca",
};

} // namespace

IntervalListModel::IntervalListModel(const TrainingDocument& document, DocumentNotifier& notifier, QObject* parent)
    : QAbstractTableModel(parent), m_document(document)
{
    connect(&notifier, &DocumentNotifier::recordsAppended, this, &IntervalListModel::onRecordsAppended);
    connect(&notifier, &DocumentNotifier::recordsRemoved, this, &IntervalListModel::onRecordsRemoved);
    connect(&notifier, &DocumentNotifier::recordsInserted, this,
            [this](int type, const std::vector<int>&) { onRecordsInserted(type); });
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
    if (role == Qt::ToolTipRole)
        return wrappedToolTip(intervalColumnExplanation(section));
    return {};
}

void IntervalListModel::showRecords(int type, std::optional<std::uint16_t> onlyMeasurement)
{
    beginResetModel();
    m_type = type;
    m_onlyMeasurement = onlyMeasurement;
    m_newRecordsOnly = false;
    m_rows.fill(m_document.trainingType(type), onlyMeasurement);
    endResetModel();
}

void IntervalListModel::showNewRecordsOnly(int type)
{
    beginResetModel();
    m_type = type;
    m_newRecordsOnly = true;
    m_rows.clear();
    endResetModel();
}

void IntervalListModel::clear()
{
    beginResetModel();
    m_type = -1;
    m_rows.clear();
    endResetModel();
}

void IntervalListModel::sortRows(int column, bool ascending)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Selection and current row move with their rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& old : before)
        rows.push_back(old.row());
    const std::vector<int> moved = m_rows.sort(column, ascending, rows);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(moved[static_cast<std::size_t>(i)], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<PlacedRecord> IntervalListModel::recordsOfRows(const std::vector<int>& rows) const
{
    if (m_type < 0)
        return {};
    return m_rows.recordsOf(rows, m_document.trainingType(m_type));
}

void IntervalListModel::onRecordsAppended(int type, int first, int count)
{
    // Every record appended to the shown type gets its row at once, whatever
    // the list shows; the next fill applies its choice again.
    if (type != m_type || count <= 0)
        return;
    const IntervalRecordList& records = m_document.trainingType(type).m_records;
    beginInsertRows({}, m_rows.count(), m_rows.count() + count - 1);
    for (int position = first; position < first + count; ++position)
        m_rows.add(records[position], position);
    endInsertRows();
}

void IntervalListModel::onRecordsRemoved(int type, const std::vector<int>& positions)
{
    if (type != m_type)
        return;
    const std::vector<int> rows = m_rows.forgetRecords(positions);
    // Rows scattered over a long list go in one pass: removing them run by run
    // would move the rows after each run again and again.
    constexpr std::size_t kMostRunsOneByOne = 32;
    std::size_t runs = 0;
    for (std::size_t i = 0; i < rows.size() && runs <= kMostRunsOneByOne; ++i)
        runs += i == 0 || rows[i] != rows[i - 1] + 1 ? 1 : 0;
    if (runs > kMostRunsOneByOne) {
        beginResetModel();
        m_rows.eraseRows(rows);
        endResetModel();
        return;
    }
    // From the bottom up in runs of neighbouring rows, so that the rows still to go keep their indexes.
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

void IntervalListModel::onRecordsInserted(int type)
{
    // Records put back (an undone deletion) show where the list's choice puts them.
    if (type != m_type)
        return;
    if (m_newRecordsOnly)
        showNewRecordsOnly(type);
    else
        showRecords(type, m_onlyMeasurement);
}
