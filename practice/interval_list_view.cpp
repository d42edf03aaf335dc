#include "practice/interval_list_view.h"

#include "practice/interval_list_model.h"

#include "controls/form_pictures.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <numeric>

IntervalListView::IntervalListView(QWidget* parent) : QTableView(parent), m_background(listBackground())
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    // Rows are the unit of the list: Tab goes on to the next control instead of the next cell.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // One height for every row: the list stays quick with a million rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &IntervalListView::onHeaderClicked);
}

void IntervalListView::setIntervalModel(IntervalListModel* model)
{
    m_model = model;
    setModel(model);
    fitColumns();
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_inStoredOrder = true;
        showNewestRow();
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, &IntervalListView::showNewestRow);
}

void IntervalListView::showNewestRow()
{
    // Queued: the scroll range follows the new row count only once the view has laid itself out.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_inStoredOrder)
                scrollToBottom();
            else
                scrollToTop();
        },
        Qt::QueuedConnection);
}

void IntervalListView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}

void IntervalListView::fitColumns()
{
    const int available = viewport()->width();
    if (!model() || available <= 0)
        return;
    // Each column is at least as wide as its stated width, its heading and its
    // widest value (the screen font may be wider than the form's); what is left
    // is shared in the stated proportions. Only where these least widths do not
    // fit together does the list scroll sideways.
    static const std::array<QString, IntervalRows::kColumnCount> kWidestTexts = {
        QStringLiteral("88.88.88"), QStringLiteral("88888"),    QStringLiteral("88888"), QStringLiteral("88:88:88"),
        QStringLiteral("88:88:88"), QStringLiteral("88:88:88"), QStringLiteral("x")};
    constexpr int kPadding = 8;
    const QFontMetrics text(font());
    const auto& stated = IntervalListModel::kColumnWidths;
    std::array<int, IntervalRows::kColumnCount> widths{};
    int needed = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = std::max({stated[column], text.horizontalAdvance(kWidestTexts[column]) + kPadding,
                                   horizontalHeader()->sectionSizeHint(static_cast<int>(column))});
        needed += widths[column];
    }
    const int spare = std::max(0, available - needed);
    const int total = std::accumulate(stated.begin(), stated.end(), 0);
    int used = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const bool last = column + 1 == widths.size();
        const int width =
            last ? std::max(widths[column], available - used) : widths[column] + spare * stated[column] / total;
        setColumnWidth(static_cast<int>(column), width);
        used += width;
    }
}

std::vector<int> IntervalListView::selectedRows() const
{
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    // By the selection's ranges: asking for the selected rows as indexes
    // takes most of a second at a million rows. The list selects whole rows.
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void IntervalListView::onHeaderClicked(int column)
{
    m_sortAscending = !m_sortAscending;
    m_inStoredOrder = false;
    if (m_model)
        m_model->sortRows(column, m_sortAscending);
}

void IntervalListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    // Reported after the list's own handling, as a posted message would be.
    QMetaObject::invokeMethod(this, &IntervalListView::doubleClicked, Qt::QueuedConnection);
}

void IntervalListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit deleteKeyPressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex IntervalListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Home and End (with or without Ctrl) go to the first and last row, not to a column.
    if ((cursorAction == MoveHome || cursorAction == MoveEnd) && model() && model()->rowCount() > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        return model()->index(cursorAction == MoveHome ? 0 : model()->rowCount() - 1, column);
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

void IntervalListView::paintEvent(QPaintEvent* event)
{
    // Beneath the rows: cells without a background of their own let it show, and
    // the grid lines and the selection are drawn over it.
    {
        QPainter painter(viewport());
        const QRect viewportRect = viewport()->rect();
        QRect pictureRect(QPoint(), m_background.deviceIndependentSize().toSize());
        pictureRect.moveCenter(viewportRect.center());
        painter.drawPixmap(pictureRect, m_background);
    }
    QTableView::paintEvent(event);
}

void IntervalListView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    // Scrolling moves the pixels; the picture must stay in the centre.
    viewport()->update();
}
