#include "platform/component_registry.h"
#include "evaluation/diagram_windows.h"
#include "records/training_document.h"
#include "platform/message_box.h"
#include "evaluation/diagram_window.h"
#include "chart_component/ntgraph_class.h"
#include "platform/profile.h"
#include "controls/shade_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>

namespace {

class RecordingMessageBox : public MessageBox {
public:
    void showMessage(QWidget*, const QString& text) override { messages << text; }
    Answer askYesNo(QWidget*, const QString&) override { return Answer::No; }
    Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::Cancel; }
    QStringList messages;
};

void addMeasurements(TrainingDocument& doc, int count)
{
    for (int n = 1; n <= count; ++n) {
        IntervalRecord e;
        e.m_timeStart = 1700000000 + n * 1000;
        e.m_timeEnd = e.m_timeStart + 60 * n;
        e.m_measurement = static_cast<std::uint16_t>(n);
        e.m_run = 1;
        doc.appendInterval(*doc.currentTrainingType(), e);
    }
}

QChart* chartOf(DiagramWindow* window)
{
    QCoreApplication::processEvents(); // points are drawn after the burst of calls
    auto* view = window->findChild<QChartView*>();
    return view ? view->chart() : nullptr;
}

class DiagramWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageBoxes(&messages);
        ASSERT_TRUE(writeComponentRegistration(kChartControlClassId, "NTGraph Control", JHAVARI_CHART_COMPONENT));
        doc.onNewDocument();
        doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
    }
    void TearDown() override { setMessageBoxes(nullptr); }

    RecordingMessageBox messages;
    TrainingDocument doc;
};

} // namespace

TEST_F(DiagramWindowTest, OneWindowPerKindAndEscKeepsItOpen)
{
    DiagramWindows windows(doc);
    windows.openDiagram(DiagramKind::Median, nullptr);
    DiagramWindow* median = windows.window(DiagramKind::Median);
    ASSERT_NE(median, nullptr);
    EXPECT_EQ(median->windowTitle(), "Median");
    EXPECT_EQ(median->m_lineColor, 0x0000FFu);
    windows.openDiagram(DiagramKind::Median, nullptr);
    EXPECT_EQ(windows.window(DiagramKind::Median), median) << "the open window is brought forward";
    for (DiagramKind kind : kDiagramKinds)
        windows.openDiagram(kind, nullptr);
    for (DiagramKind kind : kDiagramKinds)
        EXPECT_TRUE(windows.window(kind) && windows.window(kind)->isVisible()) << static_cast<int>(kind);
    EXPECT_TRUE(messages.messages.isEmpty());

    QTest::keyClick(median, Qt::Key_Escape);
    EXPECT_TRUE(median->isVisible());

    median->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows.window(DiagramKind::Median), nullptr) << "closing forgets the window";

    windows.closeDiagrams();
    for (DiagramKind kind : kDiagramKinds)
        EXPECT_EQ(windows.window(kind), nullptr) << static_cast<int>(kind);
}

TEST_F(DiagramWindowTest, MovingAverageNeedsMoreThanThirtyMeasurements)
{
    addMeasurements(doc, 30);
    DiagramWindows windows(doc);
    windows.openDiagram(DiagramKind::Maximum, nullptr);
    DiagramWindow* window = windows.window(DiagramKind::Maximum);
    auto* box = window->findChild<QCheckBox*>("1073");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isEnabled());
    box->setChecked(true);
    EXPECT_EQ(chartOf(window)->series().size(), 1) << "no moving average with 30 measurements";

    std::unordered_set<CalendarTime> earlier;
    for (const IntervalRecord& record : doc.currentTrainingType()->m_records)
        earlier.insert(record.m_timeStart);
    doc.removeIntervalsStartingAt(*doc.currentTrainingType(), earlier);
    addMeasurements(doc, 31); // measurements 1..31
    windows.refreshDiagrams();
    EXPECT_TRUE(box->isEnabled());
    const QList<QAbstractSeries*> series = chartOf(window)->series();
    ASSERT_EQ(series.size(), 2);
    auto* values = qobject_cast<QLineSeries*>(series[0]);
    auto* average = qobject_cast<QLineSeries*>(series[1]);
    ASSERT_TRUE(values && average);
    EXPECT_EQ(values->count(), 32) << "the origin and 31 measurements";
    EXPECT_EQ(values->at(0), QPointF(0, 0));
    EXPECT_EQ(values->at(31), QPointF(31, 31));
    EXPECT_EQ(values->color(), QColor(0, 0, 255)) << "the Maximum line is blue";
    ASSERT_EQ(average->count(), 2);
    EXPECT_EQ(average->at(0), QPointF(30, 15.5));
    EXPECT_EQ(average->at(1), QPointF(31, 16.5));
    EXPECT_EQ(average->color(), QColor(255, 0, 0));
}

TEST_F(DiagramWindowTest, PresentationCyclesAndTheWindowFollowsTheTrainingType)
{
    addMeasurements(doc, 3);
    DiagramWindows windows(doc);
    windows.openDiagram(DiagramKind::Sikkhati, nullptr);
    DiagramWindow* window = windows.window(DiagramKind::Sikkhati);
    QChart* chart = chartOf(window);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->title(), "Apana Jhavari (Samatha Bhavana) Training, Diagramm: Sikkhati ability");
    EXPECT_TRUE(window->findChild<QLabel*>("1064")->text().endsWith(", Filter time: off"));

    auto* button = window->findChild<ShadeButton*>("1063");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->textColor(), QColor(0, 0, 255));
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_NE(qobject_cast<QScatterSeries*>(chartOf(window)->series().value(0)), nullptr) << "points only";
    for (int i = 0; i < 8; ++i)
        QTest::mouseClick(button, Qt::LeftButton);
    auto* line = qobject_cast<QLineSeries*>(chartOf(window)->series().value(0));
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->pointsVisible()) << "ten presses return to the plain line";

    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[1]);
    windows.refreshDiagrams();
    chart = chartOf(window);
    EXPECT_EQ(chart->title(), "Kanika Jhavari (Vipassana Bhavana) Training, Diagramm: Sikkhati ability");
    EXPECT_EQ(qobject_cast<QLineSeries*>(chart->series().value(0))->count(), 1) << "only the origin";
}

TEST_F(DiagramWindowTest, UnregisteredComponentIsReported)
{
    for (const auto scope : {QSettings::UserScope, QSettings::SystemScope}) {
        const auto profile = openProfile(scope);
        profile->remove("CLSID");
        profile->sync();
    }
    DiagramWindows windows(doc);
    windows.openDiagram(DiagramKind::Average, nullptr);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0],
              "Please reinstall the program. A component of the program is not registered (NTGraph.ocx).");
    EXPECT_NE(windows.window(DiagramKind::Average), nullptr) << "the window opens all the same";
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (home.path() + "/system-config").toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
