#include "chart_component/ntgraph_class.h"
#include "chart_component/series_line.h"
#include "controls/shade_button.h"
#include "editing/document_notifier.h"
#include "evaluation/diagram_window.h"
#include "evaluation/diagram_windows.h"
#include "platform/component_registry.h"
#include "platform/file_dialog_folder.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "records/training_document.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

#include "tests/app/test_doubles.h"
#include "tests/support/document_edits.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QExposeEvent>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSvgRenderer>
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
        append(doc, *doc.currentTrainingType(),
               record().measurement(n).run(1).from(1700000000 + n * 1000).lasting(60 * n));
    }
}

// How many pixels of the picture in the place show the Maximum line's blue.
int bluePixels(const QImage& picture, const QRect& place)
{
    int blue = 0;
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            blue += pixel.blue() > 200 && pixel.red() < 80 && pixel.green() < 80;
        }
    return blue;
}

QChart* chartOf(DiagramWindow* window)
{
    QCoreApplication::processEvents(); // points are drawn after the burst of calls
    auto* view = window->findChild<QChartView*>();
    return view ? view->chart() : nullptr;
}

// The straight lines the chart draws for its series, in the series' order.
QList<const SeriesLine*> linesOf(QChart* chart)
{
    QList<const SeriesLine*> lines;
    for (QGraphicsItem* item : chart->childItems())
        if (const auto* line = qgraphicsitem_cast<const SeriesLine*>(item))
            lines.append(line);
    return lines;
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
    DocumentNotifier notifier{doc};
};

} // namespace

TEST_F(DiagramWindowTest, OneWindowPerKindAndEscKeepsItOpen)
{
    DiagramWindows windows(doc, notifier);
    windows.openDiagram(DiagramKind::Median, nullptr);
    DiagramWindow* median = windows.window(DiagramKind::Median);
    ASSERT_NE(median, nullptr);
    EXPECT_EQ(median->windowTitle(), "Median");
    EXPECT_EQ(median->lineColor(), 0x0000FFu);
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
    DiagramWindows windows(doc, notifier);
    windows.openDiagram(DiagramKind::Maximum, nullptr);
    DiagramWindow* window = windows.window(DiagramKind::Maximum);
    auto* box = window->findChild<QCheckBox*>("1073");
    ASSERT_NE(box, nullptr);
    EXPECT_GE(box->width(), box->sizeHint().width()) << "the whole text shows";
    EXPECT_FALSE(box->isEnabled());
    box->setChecked(true);
    EXPECT_EQ(chartOf(window)->series().size(), 1) << "no moving average with 30 measurements";

    RemoveRecords all{doc.currentTypeIndex(), {}};
    for (const IntervalRecord& record : doc.currentTrainingType()->m_records)
        all.records.push_back({static_cast<int>(all.records.size()), record});
    doc.apply(all);
    addMeasurements(doc, 31); // measurements 1..31
    windows.refreshDiagrams();
    EXPECT_TRUE(box->isEnabled());
    const QList<const SeriesLine*> lines = linesOf(chartOf(window));
    ASSERT_EQ(lines.size(), 2);
    const QList<QPointF>& values = lines[0]->points();
    const QList<QPointF>& average = lines[1]->points();
    EXPECT_EQ(values.size(), 32) << "the origin and 31 measurements";
    EXPECT_EQ(values.value(0), QPointF(0, 0));
    EXPECT_EQ(values.value(31), QPointF(31, 31));
    EXPECT_EQ(lines[0]->pen().color(), QColor(0, 0, 255)) << "the Maximum line is blue";
    ASSERT_EQ(average.size(), 2);
    EXPECT_EQ(average[0], QPointF(30, 15.5));
    EXPECT_EQ(average[1], QPointF(31, 16.5));
    EXPECT_EQ(lines[1]->pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(lines[0]->pen().style(), Qt::SolidLine);
    EXPECT_EQ(lines[1]->pen().style(), Qt::CustomDashLine) << "dashed, whatever the colours";
}

TEST_F(DiagramWindowTest, LargeMarkersOnThePlotAreasEdgeShowWhole)
{
    addMeasurements(doc, 24);
    append(doc, *doc.currentTrainingType(), record().measurement(25).run(1).from(1800000000).lasting(1490));
    DiagramWindows windows(doc, notifier);
    windows.openDiagram(DiagramKind::Maximum, nullptr);
    DiagramWindow* window = windows.window(DiagramKind::Maximum);
    window->findChild<QAbstractButton*>("1063")->click(); // the line with large markers
    QChart* chart = chartOf(window);
    ASSERT_NE(chart, nullptr);
    auto* view = window->findChild<QChartView*>();
    const QImage picture = view->grab().toImage();
    // Measurement 25 stands on the right edge, 24.8 of 25 minutes high: at the top.
    const QPoint last =
        view->mapFromScene(chart->mapToScene(chart->mapToPosition(QPointF(25, 1490 / 60.0), chart->series().value(0))));
    const QPoint corner = view->mapFromScene(chart->mapRectToScene(chart->plotArea()).topRight());
    EXPECT_GT(bluePixels(picture, QRect(corner.x() + 2, last.y() - 3, 6, 7)), 10) << "beyond the right edge";
    EXPECT_GT(bluePixels(picture, QRect(last.x() - 3, corner.y() - 7, 7, 5)), 5) << "above the top edge";
}

TEST_F(DiagramWindowTest, PresentationCyclesAndTheWindowFollowsTheTrainingType)
{
    addMeasurements(doc, 3);
    DiagramWindows windows(doc, notifier);
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

    // Appended records show at the next repaint, not at once; another training type at once.
    const auto pointCount = [&] {
        const SeriesLine* drawn = linesOf(chartOf(window)).value(0);
        return drawn ? drawn->points().size() : -1;
    };
    append(doc, *doc.currentTrainingType(), record().measurement(4).run(1).from(1700005000).lasting(60));
    EXPECT_EQ(pointCount(), 4);
    window->repaint();
    EXPECT_EQ(pointCount(), 5);
    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[1]);
    chart = chartOf(window);
    EXPECT_EQ(chart->title(), "Kanika Jhavari (Vipassana Bhavana) Training, Diagramm: Sikkhati ability");
    EXPECT_EQ(pointCount(), 1) << "only the origin";
}

TEST_F(DiagramWindowTest, TheFooterTakesAnotherFilterAsTheWindowComesIntoSightAndTheFileNameAtOnce)
{
    addMeasurements(doc, 3);
    DiagramWindows windows(doc, notifier);
    windows.openDiagram(DiagramKind::Maximum, nullptr);
    DiagramWindow* window = windows.window(DiagramKind::Maximum);
    const auto footer = [window] { return window->findChild<QLabel*>("1064")->text(); };
    const auto setFilter = [this](int seconds) {
        QCoreApplication::processEvents(); // what the windows still had to paint
        changeSettings(doc, [seconds](DocumentSettings& s) { s.m_timeFilter = makeDuration(0, 0, seconds); });
        QCoreApplication::processEvents();
    };
    ASSERT_TRUE(footer().contains("Filter time: 00:00:10"));
    QWidget mainWindow;
    mainWindow.show();
    mainWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));

    // Behind the main window, then raised by its button.
    setFilter(0);
    EXPECT_TRUE(footer().contains("Filter time: 00:00:10")) << "out of sight, not refilled yet";
    windows.openDiagram(DiagramKind::Maximum, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_TRUE(footer().endsWith("Filter time: off"));

    // Uncovered by the window that lay over it.
    mainWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    setFilter(60);
    QExposeEvent uncovered(QRect(QPoint(), window->size()));
    QCoreApplication::sendEvent(window->windowHandle(), &uncovered);
    EXPECT_TRUE(footer().contains("Filter time: 00:01:00"));

    doc.markSaved("/practice/morning.con");
    EXPECT_TRUE(footer().contains("File: morning.con,"));
}

TEST_F(DiagramWindowTest, UnregisteredComponentIsReported)
{
    for (const auto scope : {QSettings::UserScope, QSettings::SystemScope}) {
        const auto profile = openProfile(scope);
        profile->remove("CLSID");
        profile->sync();
    }
    DiagramWindows windows(doc, notifier);
    windows.openDiagram(DiagramKind::Average, nullptr);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0],
              "Please reinstall the program. A component of the program is not registered (NTGraph.ocx).");
    EXPECT_NE(windows.window(DiagramKind::Average), nullptr) << "the window opens all the same";
}

TEST_F(DiagramWindowTest, SavesTheChartAndItsFooterWithoutTheButtonsAsPngSvgAndPdf)
{
    addMeasurements(doc, 5);
    DiagramWindows windows(doc, notifier);
    windows.openDiagram(DiagramKind::Maximum, nullptr);
    DiagramWindow* window = windows.window(DiagramKind::Maximum);
    auto* save = window->findChild<QAction*>("saveDiagram");
    ASSERT_NE(save, nullptr);
    EXPECT_TRUE(window->actions().contains(save)) << "offered on the context menu";

    QTemporaryDir dir;
    ScriptedFileDialogs dialogs;
    dialogs.m_choices = {dir.filePath("max.png"), dir.filePath("max.svg"), dir.filePath("max.pdf"), {}};
    QCoreApplication::processEvents(); // points are drawn after the burst of calls
    for (int i = 0; i < 4; ++i)
        save->trigger();
    EXPECT_EQ(dialogs.m_titles.value(0), "Diagramm speichern unter");
    EXPECT_EQ(dialogs.m_suggestedPath, inFileDialogFolder({}, "Maximum.png"));
    EXPECT_EQ(dialogs.m_filters, "PNG-Bild (*.png);;SVG-Grafik (*.svg);;PDF-Dokument (*.pdf)");

    const QImage png = QImage(dir.filePath("max.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(png.isNull());
    QWidget* chart = window->findChild<QWidget*>("1062");
    const QWidget* footer = window->findChild<QLabel*>("1064");
    const QWidget* button = window->findChild<ShadeButton*>("1063");
    ASSERT_TRUE(chart && footer && button);
    const QRect area = chart->geometry().united(footer->geometry());
    EXPECT_EQ(png.size(), area.size()) << "the chart and its footer line, not the check box below";
    // The chart as it shows, with its title, axes and the blue value line.
    const QRect chartPlace = chart->geometry().translated(-area.topLeft());
    EXPECT_EQ(png.copy(chartPlace), chart->grab().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_GT(bluePixels(png, chartPlace), 20);
    // Where the button stands in the window the picture is plain background; the footer has its text.
    const QRgb background = window->palette().color(QPalette::Window).rgb();
    const auto drawnPixels = [&](const QRect& place) {
        int drawn = 0;
        for (int y = place.top(); y <= place.bottom(); ++y)
            for (int x = place.left(); x <= place.right(); ++x)
                drawn += png.pixel(x, y) != background;
        return drawn;
    };
    const QRect buttonPlace = button->geometry().translated(-area.topLeft()).intersected(png.rect());
    ASSERT_GT(buttonPlace.width() * buttonPlace.height(), button->width() * button->height() * 3 / 4)
        << "most of the button's place lies within the picture";
    EXPECT_EQ(drawnPixels(buttonPlace), 0) << "no button in the picture";
    EXPECT_GT(drawnPixels(footer->geometry().translated(-area.topLeft())), 50) << "the footer line";

    QSvgRenderer svg(dir.filePath("max.svg"));
    EXPECT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), area.size());
    QFile pdf(dir.filePath("max.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "cancelling writes nothing";
    EXPECT_TRUE(messages.messages.isEmpty());
}
