#include "editing/document_notifier.h"
#include "practice/interval_list_model.h"
#include "practice/interval_list_view.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class IntervalListTest : public testing::Test {
protected:
    void SetUp() override
    {
        const CalendarTime base = makeLocalTime(2011, 5, 1, 8, 0, 0);
        for (int i = 0; i < 8; ++i)
            add(record().measurement(1).run(i + 1).from(base + i * 600).lasting((i * 37) % 100 + 1));
        m_list.setIntervalModel(&m_model);
        m_list.resize(600, 300);
        m_list.show();
        m_model.showRecords(0, std::nullopt);
    }
    void add(const IntervalRecord& interval) { append(m_doc, m_doc.trainingTypes()[0], interval); }

    QString cell(int row, int column) const { return m_model.index(row, column).data().toString(); }
    void clickHeader(int column)
    {
        QHeaderView* header = m_list.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    TrainingDocument m_doc;
    DocumentNotifier m_notifier{m_doc};
    IntervalListModel m_model{m_doc, m_notifier};
    IntervalListView m_list;
};

TEST_F(IntervalListTest, HeaderClicksSortWithOneSharedDirection)
{
    EXPECT_EQ(m_model.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Duration"));
    m_list.selectRow(2); // the row of run 3
    clickHeader(5);
    for (int row = 1; row < m_model.rowCount(); ++row)
        EXPECT_LE(cell(row - 1, 5), cell(row, 5));
    clickHeader(5);
    for (int row = 1; row < m_model.rowCount(); ++row)
        EXPECT_GE(cell(row - 1, 5), cell(row, 5));
    // The selection went with its row.
    const std::vector<int> selected = m_list.selectedRows();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(cell(selected[0], 2), QStringLiteral("3"));
    // Another header next: ascending again, by start time.
    clickHeader(0);
    EXPECT_TRUE(m_list.m_sortAscending);
    for (int row = 0; row < m_model.rowCount(); ++row)
        EXPECT_EQ(cell(row, 2), QString::number(row + 1));
}

TEST_F(IntervalListTest, ListFollowsTheRecordsAndShowsTheNewestRowAndFitsItsColumns)
{
    const auto isShown = [this](int row) {
        const int y = m_list.rowViewportPosition(row);
        return y >= 0 && y + m_list.rowHeight(row) <= m_list.viewport()->height();
    };
    const CalendarTime base = makeLocalTime(2011, 5, 2, 8, 0, 0);
    for (int i = 0; i < 60; ++i)
        add(record().measurement(2).run(static_cast<std::uint16_t>(i + 1)).from(base + i * 600).lasting(30));
    m_model.showRecords(0, std::nullopt);
    QCoreApplication::processEvents();
    EXPECT_TRUE(isShown(m_model.rowCount() - 1)) << "the newest row after a fill";

    // One appended interval is one inserted row, not a new fill.
    QSignalSpy inserted(&m_model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&m_model, &QAbstractItemModel::modelReset);
    add(record().measurement(2).run(61).from(base + 60 * 600).lasting(30));
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 68);
    EXPECT_EQ(inserted[0][2].toInt(), 68);
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(cell(68, 2), QStringLiteral("61"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(isShown(m_model.rowCount() - 1)) << "the newest row after an added one";
    append(m_doc, m_doc.trainingTypes()[1], record().measurement(1).run(1).from(base).lasting(30));
    EXPECT_EQ(m_model.rowCount(), 69) << "another training type's record is not shown";

    // Removed records take exactly their rows away; the others still name their records.
    m_doc.apply(RemoveRecords{0, m_model.recordsOfRows({0, 67})});
    ASSERT_EQ(m_model.rowCount(), 67);
    EXPECT_EQ(m_model.recordsOfRows({66})[0].record.m_run, 61);
    EXPECT_EQ(reset.size(), 0);
    // Many scattered rows go in one pass.
    std::vector<int> everyOther;
    for (int row = 0; row < 66; row += 2)
        everyOther.push_back(row);
    const std::vector<PlacedRecord> scattered = m_model.recordsOfRows(everyOther);
    m_doc.apply(RemoveRecords{0, scattered});
    ASSERT_EQ(m_model.rowCount(), 34);
    for (int row = 0; row < m_model.rowCount(); ++row)
        EXPECT_EQ(m_model.recordsOfRows({row})[0].record, m_doc.trainingTypes()[0].m_records[row]) << row;

    clickHeader(5);
    add(record().measurement(2).run(62).from(base + 61 * 600).lasting(30));
    QCoreApplication::processEvents();
    EXPECT_TRUE(isShown(0)) << "a sorted list shows its top";
    EXPECT_EQ(cell(m_model.rowCount() - 1, 2), QStringLiteral("62")) << "and keeps its order";

    // Wide enough: the columns fill the list exactly, each at least its stated width and whole heading.
    m_list.resize(600, 300);
    QCoreApplication::processEvents();
    const int last = IntervalRows::kColumnCount - 1;
    EXPECT_EQ(m_list.columnViewportPosition(last) + m_list.columnWidth(last), m_list.viewport()->width());
    EXPECT_EQ(m_list.horizontalScrollBar()->maximum(), 0);
    for (int column = 0; column <= last; ++column) {
        EXPECT_GE(m_list.columnWidth(column), IntervalListModel::kColumnWidths[std::size_t(column)]) << column;
        EXPECT_GE(m_list.columnWidth(column), m_list.horizontalHeader()->sectionSizeHint(column)) << column;
    }
    // Too narrow for them: the list scrolls sideways rather than cutting a heading.
    m_list.resize(300, 300);
    QCoreApplication::processEvents();
    EXPECT_GT(m_list.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(m_list.columnWidth(1), std::max(80, m_list.horizontalHeader()->sectionSizeHint(1)));
}

TEST_F(IntervalListTest, EverySecondRowIsLightYellowWhateverTheOrder)
{
    clickHeader(5);
    m_list.clearSelection();
    const QImage shot = m_list.viewport()->grab().toImage();
    const int x = m_list.columnViewportPosition(6) + m_list.columnWidth(6) - 5;
    const QColor fifth = shot.pixelColor(x, m_list.rowViewportPosition(4) + 3);
    const QColor sixth = shot.pixelColor(x, m_list.rowViewportPosition(5) + 3);
    EXPECT_EQ(fifth, QColor(255, 255, 255));
    EXPECT_EQ(sixth, QColor(255, 255, 204));
}

TEST_F(IntervalListTest, AnEmptyListShowsItsPictureCentred)
{
    m_model.clear();
    add(record().measurement(9).run(1).from(5000).lasting(30));
    EXPECT_EQ(m_model.rowCount(), 0) << "a cleared list follows no training type";
    const QImage shot = m_list.viewport()->grab().toImage();
    QRect drawn;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixelColor(x, y) != QColor(255, 255, 255))
                drawn |= QRect(x, y, 1, 1);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_NEAR(drawn.center().x(), m_list.viewport()->rect().center().x(), 2);
    EXPECT_NEAR(drawn.center().y(), m_list.viewport()->rect().center().y(), 2);
}

} // namespace
