#include "component_registry.h"
#include "diagram_windows.h"
#include "document.h"
#include "message_box.h"
#include "non_modal_graph.h"
#include "ntgraph_class.h"
#include "profile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>

namespace {

class RecordingMessageBox : public IMessageBox {
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    Answer AskYesNo(QWidget*, const QString&) override { return Answer::No; }
    Answer AskYesNoCancel(QWidget*, const QString&) override { return Answer::Cancel; }
    QStringList messages;
};

void AddMeasurements(CVersenkwerkDoc& doc, int count)
{
    for (int n = 1; n <= count; ++n) {
        CDataEntry e;
        e.m_timeStart = 1700000000 + n * 1000;
        e.m_timeEnd = e.m_timeStart + 60 * n;
        e.m_nMeasurement = static_cast<std::uint16_t>(n);
        e.m_nRun = 1;
        doc.m_pCurrentType->m_aEntries.Add(e);
    }
}

QChart* ChartOf(CNonModalGraph* window)
{
    QCoreApplication::processEvents(); // points are drawn after the burst of calls
    auto* view = window->findChild<QChartView*>();
    return view ? view->chart() : nullptr;
}

class DiagramWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxes(&messages);
        ASSERT_TRUE(WriteComponentRegistration(kChartControlClassId, "NTGraph Control", JHAVARI_CHART_COMPONENT));
        doc.OnNewDocument();
        doc.FindTrainingType(CVersenkwerkDoc::kDefaultTrainingTypeNames[0]);
    }
    void TearDown() override { SetMessageBoxes(nullptr); }

    RecordingMessageBox messages;
    CVersenkwerkDoc doc;
};

} // namespace

TEST_F(DiagramWindowTest, OneWindowPerKindAndEscKeepsItOpen)
{
    CDiagramWindows windows(doc);
    windows.OpenDiagram(Median, nullptr);
    CNonModalGraph* median = windows.GetWindow(Median);
    ASSERT_NE(median, nullptr);
    EXPECT_EQ(median->windowTitle(), "Median");
    EXPECT_EQ(median->m_crLine, 0x0000FFu);
    windows.OpenDiagram(Median, nullptr);
    EXPECT_EQ(windows.GetWindow(Median), median) << "the open window is brought forward";
    for (DiagramKind kind : kDiagramKinds)
        windows.OpenDiagram(kind, nullptr);
    for (DiagramKind kind : kDiagramKinds)
        EXPECT_TRUE(windows.GetWindow(kind) && windows.GetWindow(kind)->isVisible()) << kind;
    EXPECT_TRUE(messages.messages.isEmpty());

    QTest::keyClick(median, Qt::Key_Escape);
    EXPECT_TRUE(median->isVisible());

    median->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows.GetWindow(Median), nullptr) << "closing forgets the window";

    windows.CloseDiagrams();
    for (DiagramKind kind : kDiagramKinds)
        EXPECT_EQ(windows.GetWindow(kind), nullptr) << kind;
}

TEST_F(DiagramWindowTest, MovingAverageNeedsMoreThanThirtyMeasurements)
{
    AddMeasurements(doc, 30);
    CDiagramWindows windows(doc);
    windows.OpenDiagram(Maximum, nullptr);
    CNonModalGraph* window = windows.GetWindow(Maximum);
    auto* box = window->findChild<QCheckBox*>("1073");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isEnabled());
    box->setChecked(true);
    EXPECT_EQ(ChartOf(window)->series().size(), 1) << "no moving average with 30 measurements";

    AddMeasurements(doc, 31);
    doc.m_pCurrentType->m_aEntries.RemoveAt(0, 30); // measurements 1..31 remain
    windows.RefreshDiagrams();
    EXPECT_TRUE(box->isEnabled());
    const QList<QAbstractSeries*> series = ChartOf(window)->series();
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
    AddMeasurements(doc, 3);
    CDiagramWindows windows(doc);
    windows.OpenDiagram(Sikkhati, nullptr);
    CNonModalGraph* window = windows.GetWindow(Sikkhati);
    QChart* chart = ChartOf(window);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->title(), "Apana Jhavari (Samatha Bhavana) Training, Diagramm: Sikkhati ability");
    EXPECT_TRUE(window->findChild<QLabel*>("1064")->text().endsWith(", Filter time: off"));

    auto* button = window->findChild<QPushButton*>("1063");
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_NE(qobject_cast<QScatterSeries*>(ChartOf(window)->series().value(0)), nullptr) << "points only";
    for (int i = 0; i < 8; ++i)
        QTest::mouseClick(button, Qt::LeftButton);
    auto* line = qobject_cast<QLineSeries*>(ChartOf(window)->series().value(0));
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->pointsVisible()) << "ten presses return to the plain line";

    doc.FindTrainingType(CVersenkwerkDoc::kDefaultTrainingTypeNames[1]);
    windows.RefreshDiagrams();
    chart = ChartOf(window);
    EXPECT_EQ(chart->title(), "Kanika Jhavari (Vipassana Bhavana) Training, Diagramm: Sikkhati ability");
    EXPECT_EQ(qobject_cast<QLineSeries*>(chart->series().value(0))->count(), 1) << "only the origin";
}

TEST_F(DiagramWindowTest, UnregisteredComponentIsReported)
{
    for (const auto scope : {QSettings::UserScope, QSettings::SystemScope}) {
        const auto profile = OpenProfile(scope);
        profile->remove("CLSID");
        profile->sync();
    }
    CDiagramWindows windows(doc);
    windows.OpenDiagram(Average, nullptr);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0],
              "Please reinstall the program. A component of the program is not registered (NTGraph.ocx).");
    EXPECT_NE(windows.GetWindow(Average), nullptr) << "the window opens all the same";
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
