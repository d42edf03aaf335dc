#include "chart_component/chart_control.h"
#include "chart_component/ntgraph_class.h"
#include "editing/document_notifier.h"
#include "evaluation/diagram_places.h"
#include "evaluation/diagram_window.h"
#include "evaluation/diagram_windows.h"
#include "platform/component_registry.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QGraphicsSimpleTextItem>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

namespace {

class DiagramPlacesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeComponentRegistration(kChartControlClassId, "NTGraph Control", JHAVARI_CHART_COMPONENT));
        doc.onNewDocument();
        doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
        for (int n = 1; n <= 12; ++n)
            append(doc, *doc.currentTrainingType(),
                   record()
                       .measurement(n)
                       .from(makeLocalTime(2026, 11, 20 + n / 2, 7 + n % 2 * 12, 0, 0))
                       .lasting(200 + n * 47));
    }

    TrainingDocument doc;
};

} // namespace

TEST_F(DiagramPlacesTest, WindowsOpenCascadedAndReopenWhereTheyWereClosed)
{
    DocumentNotifier notifier(doc);
    DiagramWindows windows(doc, notifier);
    for (DiagramKind kind : kDiagramKinds)
        windows.openDiagram(kind, nullptr);
    const QPoint first = windows.window(DiagramKind::Maximum)->pos();
    const QPoint last = windows.window(DiagramKind::Sikkhati)->pos();
    EXPECT_EQ(last - first, QPoint(96, 96));
    EXPECT_EQ(windows.window(DiagramKind::Average)->pos() - first, QPoint(32, 32));

    DiagramWindow* median = windows.window(DiagramKind::Median);
    median->move(first - QPoint(30, 20));
    median->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    windows.openDiagram(DiagramKind::Median, nullptr);
    EXPECT_EQ(windows.window(DiagramKind::Median)->pos(), first - QPoint(30, 20));
    windows.closeDiagrams();
}

TEST(DiagramPlaces, ARememberedPlaceCountsOnlyWhereTheWholeWindowFitsOnOneScreen)
{
    const QSize window(740, 480);
    const QRect wide(0, 0, 1920, 1050);
    const QRect small(0, 0, 1024, 740);
    const QRect right(1024, 0, 1024, 740);
    const QPoint cascaded = small.topLeft() + QPoint(40 + 64, 40 + 64);
    rememberDiagramPlace(DiagramKind::Median, QPoint(1100, 200));
    EXPECT_EQ(diagramPlace(DiagramKind::Median, window, {wide}, wide), QPoint(1100, 200));
    EXPECT_EQ(diagramPlace(DiagramKind::Median, window, {small}, small), cascaded) << "the screen got smaller";
    EXPECT_EQ(diagramPlace(DiagramKind::Median, window, {small, right}, small), QPoint(1100, 200))
        << "wholly on the second screen";
    rememberDiagramPlace(DiagramKind::Median, QPoint(900, 0));
    EXPECT_EQ(diagramPlace(DiagramKind::Median, window, {small, right}, small), cascaded) << "across both screens";
}

TEST_F(DiagramPlacesTest, HoveringAPointShowsItsMeasurementDateAndValue)
{
    DocumentNotifier notifier(doc);
    DiagramWindows windows(doc, notifier);
    windows.openDiagram(DiagramKind::Maximum, nullptr);
    DiagramWindow* window = windows.window(DiagramKind::Maximum);
    auto* view = window->findChild<QChartView*>();
    ASSERT_NE(view, nullptr);
    QCoreApplication::processEvents();
    auto* series = view->chart()->series().value(0);
    ASSERT_NE(series, nullptr);
    const QPoint at = view->mapFromScene(view->chart()->mapToPosition(QPointF(6, (200 + 6 * 47) / 60.0), series));
    QHelpEvent hover(QEvent::ToolTip, at + QPoint(2, 1), view->mapToGlobal(at + QPoint(2, 1)));
    QApplication::sendEvent(view, &hover);
    EXPECT_EQ(QToolTip::text(), "Measurement 6\nDate: 23.11.26\nMaximum: 8.0 min (00:08:02)");

    QHelpEvent away(QEvent::ToolTip, QPoint(3, 3), view->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(view, &away);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) << "no tip away from the points";

    // The presentation with values writes them with one decimal.
    for (int press = 0; press < 9; ++press)
        window->findChild<QAbstractButton*>("1063")->click();
    QCoreApplication::processEvents();
    QStringList labels;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            labels << text->text();
    EXPECT_TRUE(labels.contains("8.0")) << labels.join(' ').toStdString();
    windows.closeDiagrams();
}
