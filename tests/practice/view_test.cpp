#include "view_fixture.h"

#include "interval_list_model.h"
#include "key_state_tracker.h"
#include "measuring_mode_flag.h"
#include "message_box.h"
#include "plain_controls.h"
#include "pointer_confinement.h"
#include "sorted_list_ctrl.h"
#include "sound_manager.h"
#include "time_picker.h"
#include "versenkwerk_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Played = std::vector<std::pair<std::string, bool>>;

class ViewTest : public CViewFixture {
protected:
    void SetUp() override
    {
        CViewFixture::SetUp();
        m_doc.OnNewDocument();
        WriteSoundFiles();
        m_doc.m_settings.m_bTimeSound = 0;
        m_doc.m_settings.m_bFixedExerciseTime = 0;
        MakeView();
        m_doc.UpdateAllViews(0);
        m_doc.SetModifiedFlag(false);
    }

    // A press anywhere on the form: while measuring, the whole form is the button.
    void Press(Qt::MouseButton button, int overControl = 1023)
    {
        QWidget* target = Control(overControl);
        QTest::mousePress(target, button, {}, target->rect().center());
        QTest::mouseRelease(target, button, {}, target->rect().center());
    }
    void Seconds(TimeSpan seconds)
    {
        for (TimeSpan s = 0; s < seconds; ++s) {
            m_clock.Advance(1);
            for (int t = 0; t < 5 && m_view->IsMeasureTimerActive(); ++t)
                m_view->OnMeasureTick();
        }
    }
    Played TakePlayed() { return std::exchange(m_player->m_aPlayed, {}); }
    QString Text(int id) const { return Control<QLabel>(id)->text(); }
    QString BannerText() const { return Control<CPlainBannerLabel>(1068)->text(); }
    const CDataEntryArray& Records() const { return m_doc.m_aTrainingTypes[0].m_aEntries; }
    CIntervalListModel& List() const { return *Control<CSortedListCtrl>(1023)->IntervalModel(); }
    QString Cell(int row, int column) const { return List().index(row, column).data().toString(); }
    void AddRecord(CalendarTime start, TimeSpan length, std::uint16_t measurement, std::uint16_t run)
    {
        CDataEntry entry;
        entry.m_timeStart = start;
        entry.m_timeEnd = start + length;
        entry.m_nMeasurement = measurement;
        entry.m_nRun = run;
        m_doc.m_aTrainingTypes[0].m_aEntries.Add(entry);
    }
};

TEST_F(ViewTest, ARunFromTheButtonThroughTwoIntervalsToEscape)
{
    AddRecord(1'600'000'000, 100, 3, 1);
    m_doc.UpdateAllViews(0);
    EXPECT_EQ(BannerText(), QStringLiteral("Settings and evaluations"));
    EXPECT_EQ(Control<CPlainBanner>(1066)->LeftColor(), QColor(10, 36, 106));
    EXPECT_FALSE(Control(1012)->isEnabled());
    EXPECT_EQ(List().rowCount(), 1);

    QSignalSpy status(m_view.get(), &CVersenkwerkView::StatusTextChanged);
    Click(1001);
    EXPECT_TRUE(g_bMeasuringMode);
    EXPECT_TRUE(m_view->IsMeasureTimerActive());
    EXPECT_EQ(BannerText(), QStringLiteral("Waiting for mouse-start (left mouse button) ..."));
    EXPECT_EQ(Control<CPlainBannerLabel>(1068)->TextColor(), QColor(0, 0, 0));
    EXPECT_EQ(Control<CPlainBanner>(1066)->LeftColor(), QColor(255, 224, 0));
    EXPECT_EQ(Control<CPlainBanner>(1066)->RightColor(), QColor(138, 173, 216));
    EXPECT_TRUE(Control<QCheckBox>(1020)->isChecked());
    EXPECT_EQ(List().rowCount(), 0);
    for (int id : {1002, 1057, 1013, 1001, 1010, 1021, 1016, 1020, 1018})
        EXPECT_FALSE(Control(id)->isEnabled()) << id;
    EXPECT_TRUE(Control(1012)->isEnabled());
    EXPECT_TRUE(Control<CPlainClock>(1052)->IsLit());
    EXPECT_TRUE(m_view->IsPointerConfined());
    EXPECT_EQ(QWidget::mouseGrabber(), m_view.get());
    ASSERT_GE(status.count(), 1);
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("Meditation interval measurement active.(Interval start "
                                                             "and end can now be controlled with the mouse, ESC ends "
                                                             "the measuring mode)."));

    Press(Qt::LeftButton); // over the list: the form takes it
    EXPECT_EQ(BannerText(), QStringLiteral("Recording is in progress"));
    EXPECT_EQ(Control<CPlainBannerLabel>(1068)->TextColor(), QColor(240, 240, 240));
    EXPECT_EQ(Control<CPlainBanner>(1066)->LeftColor(), QColor(204, 0, 102));
    EXPECT_TRUE(Control<CPlainClock>(1052)->IsRunning());
    Seconds(75);
    EXPECT_EQ(Control<CPlainClock>(1052)->text(), QStringLiteral("00:01:15"));
    EXPECT_EQ(Text(1007), QStringLiteral(" 00:01:15"));
    // The 375th tick shows 374 % 10 dots between the two sentences' full stops.
    EXPECT_EQ(m_view->StatusText().count(QLatin1Char('.')), 4 + 2);
    Press(Qt::LeftButton, 1002);
    EXPECT_EQ(BannerText(), QStringLiteral("Waiting for mouse-start (left mouse button) ..."));
    EXPECT_FALSE(Control<CPlainClock>(1052)->IsRunning());
    EXPECT_EQ(Text(1009), QStringLiteral("00:01:15"));
    ASSERT_EQ(List().rowCount(), 1);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("4"));
    EXPECT_EQ(Cell(0, 5), QStringLiteral("00:01:15"));

    Press(Qt::RightButton); // waiting: nothing
    Seconds(30);
    Press(Qt::LeftButton, 1066);
    Seconds(10);
    m_keys.Hold(WatchedKey::Escape);
    Seconds(1);
    m_keys.Release(WatchedKey::Escape);
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_FALSE(m_view->IsMeasureTimerActive());
    EXPECT_FALSE(m_view->IsPointerConfined());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(m_view->StatusText(), QStringLiteral("Meditation interval measurement mode off."));
    EXPECT_EQ(BannerText(), QStringLiteral("Settings and evaluations"));
    EXPECT_TRUE(Control(1001)->isEnabled());
    EXPECT_FALSE(Control(1012)->isEnabled());
    EXPECT_FALSE(Control<CPlainClock>(1052)->IsLit());

    const Played expected = {{"BeginIntervall.wav", true},
                             {"EndIntervall.wav", true},
                             {"BeginIntervall.wav", true},
                             {"EndExercise.wav", true}};
    EXPECT_EQ(TakePlayed(), expected);
    ASSERT_EQ(Records().GetSize(), 3);
    EXPECT_EQ(Records()[2].m_nMeasurement, 4);
    EXPECT_EQ(Records()[2].m_nRun, 2);
    EXPECT_EQ(Records()[2].m_bUddhacca, 1);
    EXPECT_EQ(Records()[2].Length(), 11);
    EXPECT_TRUE(m_doc.IsModified());
    // The list now shows the run just recorded, and the displays keep its values.
    ASSERT_EQ(List().rowCount(), 2);
    EXPECT_EQ(Cell(1, 2), QStringLiteral("2"));
    EXPECT_EQ(Cell(1, 6), QStringLiteral("x"));
    EXPECT_EQ(Text(1007), QStringLiteral(" 00:01:26"));
    EXPECT_EQ(Text(1009), QStringLiteral("00:01:15"));
    // A document update shows all intervals again.
    m_doc.UpdateAllViews(0);
    EXPECT_FALSE(Control<QCheckBox>(1020)->isChecked());
    EXPECT_EQ(List().rowCount(), 3);
}

TEST_F(ViewTest, RightButtonEndsAsUddhaccaAndF10SwitchesOffSilently)
{
    m_view->OnMeasuringModeCommand();
    Press(Qt::LeftButton);
    Seconds(20);
    Press(Qt::RightButton);
    EXPECT_EQ(Text(1009), QStringLiteral("00:00:00"));
    Press(Qt::LeftButton);
    Seconds(5);
    TakePlayed();
    m_view->OnMeasuringModeCommand(); // F10
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_TRUE(TakePlayed().empty());
    m_keys.Hold(WatchedKey::Escape);
    Seconds(1); // no tick comes any more
    EXPECT_TRUE(TakePlayed().empty());
    EXPECT_EQ(m_view->StatusText(), QStringLiteral("Meditation interval measurement mode off."));
    ASSERT_EQ(Records().GetSize(), 2);
    EXPECT_EQ(Records()[0].m_bUddhacca, 1);
    EXPECT_EQ(Records()[1].m_bUddhacca, 1);
    // Outside the mode presses do nothing.
    Press(Qt::LeftButton, 1066);
    EXPECT_EQ(Records().GetSize(), 2);
}

TEST_F(ViewTest, DestroyingTheViewWhileMeasuringFreesThePointerAndStoresNothing)
{
    Click(1001);
    Press(Qt::LeftButton);
    Seconds(4);
    ASSERT_EQ(QWidget::mouseGrabber(), m_view.get());
    m_view.reset();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(Records().GetSize(), 0);
}

TEST_F(ViewTest, FixedTotalTimeFillsTheBarAndEndsTheRun)
{
    Click(1013);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_settings.m_bFixedExerciseTime, 1);
    EXPECT_TRUE(Control(1014)->isEnabled());
    Control<CTimePicker>(1014)->setTime(QTime(0, 10, 0));
    EXPECT_EQ(DurationSeconds(m_doc.m_settings.m_timeFixedDuration), 600);

    Click(1001);
    EXPECT_TRUE(Control(1014)->isEnabled()); // ticked: editable for the next run
    Press(Qt::LeftButton);
    Seconds(360);
    Press(Qt::LeftButton);
    EXPECT_EQ(Control<CPlainProgress>(1056)->value(), 60);
    Seconds(40);
    Press(Qt::LeftButton);
    TakePlayed();
    Seconds(240);
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_EQ(TakePlayed(), (Played{{"EndExercise.wav", true}}));
    EXPECT_EQ(Control<CPlainProgress>(1056)->value(), 0);
    ASSERT_EQ(Records().GetSize(), 2);
    EXPECT_EQ(Records()[1].m_bUddhacca, 0);
    EXPECT_EQ(Records()[1].Length(), 240);

    // Unticked, the duration is disabled and kept.
    Click(1013);
    EXPECT_FALSE(Control(1014)->isEnabled());
    EXPECT_EQ(DurationSeconds(m_doc.m_settings.m_timeFixedDuration), 600);
}

TEST_F(ViewTest, AlarmsAndTimeSoundReachTheSoundBackEnd)
{
    Click(1010);
    EXPECT_EQ(m_doc.m_settings.m_bAutoUddhaccaAlarm, 1);
    EXPECT_TRUE(Control(1011)->isEnabled());
    Control<CTimePicker>(1011)->setTime(QTime(0, 5, 0));
    m_doc.SetModifiedFlag(false);
    QSignalSpy timeSound(m_view.get(), &CVersenkwerkView::TimeSoundChanged);
    m_view->OnTimeSoundCommand();
    EXPECT_TRUE(m_view->IsTimeSoundOn());
    EXPECT_FALSE(m_doc.IsModified()); // the time sound alone asks for no save
    EXPECT_EQ(timeSound.count(), 1);

    Click(1001);
    Press(Qt::LeftButton);
    TakePlayed();
    Seconds(12 * 60);
    // Alarm at 5 and 10 minutes; the time sound at 5 and 10 minutes of total time.
    const Played expected = {{"UddhaccaAlarm.wav", true},
                             {"BeginIntervall.wav", true},
                             {"UddhaccaAlarm.wav", true},
                             {"BeginIntervall.wav", true}};
    EXPECT_EQ(TakePlayed(), expected);
    m_keys.Hold(WatchedKey::F12);
    Seconds(1);
    EXPECT_EQ(TakePlayed(), Played(5, {"UddhaccaAlarm.wav", false}));
}

// Confines nothing and grabs nothing, as on a desktop without pointer grabs.
class CCountingConfinement : public IPointerConfinement {
public:
    void Confine(QWidget*) override { ++m_nConfined; }
    void Release(QWidget*) override { ++m_nReleased; }
    int m_nConfined = 0;
    int m_nReleased = 0;
};

TEST_F(ViewTest, WithoutAGrabPressesOverAnyControlStillReachTheForm)
{
    CCountingConfinement confinement;
    SetPointerConfinement(&confinement);
    Click(1001);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    Press(Qt::LeftButton, 1023);
    EXPECT_TRUE(m_view->Measuring().m_bIntervalRunning);
    Press(Qt::RightButton, 1052);
    EXPECT_FALSE(m_view->Measuring().m_bIntervalRunning);
    // The frame frees and restores the pointer when the program loses and regains activation.
    m_view->ConfinePointer(false);
    m_view->ConfinePointer(false);
    m_view->ConfinePointer(true);
    EXPECT_EQ(confinement.m_nConfined, 2);
    EXPECT_EQ(confinement.m_nReleased, 1);
    m_view->OnMeasuringModeCommand();
    EXPECT_EQ(confinement.m_nReleased, 2);
    SetPointerConfinement(nullptr);
    ASSERT_EQ(Records().GetSize(), 1);
    EXPECT_EQ(Records()[0].m_bUddhacca, 1);
    // Outside the mode the controls get their presses again.
    QTest::mouseClick(Control(1013), Qt::LeftButton);
    EXPECT_EQ(m_doc.m_settings.m_bFixedExerciseTime, 1);
}

TEST_F(ViewTest, TheRealTimerTicksAndTheRealKeyTrackerEndsTheMode)
{
    CKeyStateTracker keys;
    CVersenkwerkView view(m_doc, m_player, m_clock, &keys);
    view.show();
    QSignalSpy status(&view, &CVersenkwerkView::StatusTextChanged);
    view.OnMeasuringModeCommand();
    EXPECT_TRUE(QTest::qWaitFor([&] { return status.count() >= 3; }, 2000));
    QTest::keyPress(&view, Qt::Key_Escape);
    EXPECT_TRUE(keys.IsKeyHeld(WatchedKey::Escape));
    EXPECT_TRUE(QTest::qWaitFor([] { return !g_bMeasuringMode; }, 2000));
    QTest::keyRelease(&view, Qt::Key_Escape);
    EXPECT_FALSE(keys.IsKeyHeld(WatchedKey::Escape));
    EXPECT_EQ(view.StatusText(), QStringLiteral("Meditation interval measurement mode off."));
}

TEST_F(ViewTest, ListSortsDeletesAndReportsDoubleClicks)
{
    const CalendarTime base = MakeLocalTime(2012, 6, 1, 7, 0, 0);
    AddRecord(base, 300, 1, 1);
    AddRecord(base + 1000, 100, 1, 2);
    AddRecord(base + 2000, 200, 2, 1);
    AddRecord(base + 1000, 50, 2, 2); // same second as the second record
    m_doc.UpdateAllViews(0);
    auto* list = Control<CSortedListCtrl>(1023);
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(Cell(0, 0), QStringLiteral("01.06.12"));
    EXPECT_EQ(Cell(0, 3), QStringLiteral("07:00:00"));

    QHeaderView* header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(5) + 5, 5));
    EXPECT_EQ(Cell(0, 5), QStringLiteral("00:00:50"));
    EXPECT_EQ(Cell(3, 5), QStringLiteral("00:05:00"));

    // Nothing selected: no question.
    Click(1018);
    EXPECT_TRUE(m_boxes.m_aAsked.isEmpty());
    list->selectRow(1); // 00:01:40, starts with the 00:00:50 one
    m_boxes.m_answer = IMessageBox::Answer::No;
    Click(1018);
    EXPECT_EQ(m_boxes.m_aAsked.size(), 1);
    EXPECT_EQ(m_boxes.m_aAsked.first(), QStringLiteral("Do you really want to delete the selection?"));
    EXPECT_EQ(Records().GetSize(), 4);
    EXPECT_FALSE(m_doc.IsModified());
    m_boxes.m_answer = IMessageBox::Answer::Yes;
    Click(1018);
    EXPECT_TRUE(m_doc.IsModified());
    ASSERT_EQ(Records().GetSize(), 2);
    EXPECT_EQ(List().rowCount(), 3); // the other row of that second stays until the next fill
    Click(1020);
    EXPECT_EQ(List().rowCount(), 1);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("2"));

    Click(1020);
    EXPECT_EQ(List().rowCount(), 2);
    QSignalSpy phone(m_view.get(), &CVersenkwerkView::PhoneRecordDialogRequested);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 5));
    EXPECT_EQ(phone.count(), 0) << "the message is posted";
    QCoreApplication::processEvents();
    EXPECT_EQ(phone.count(), 1);
}

TEST_F(ViewTest, TrainingTypeFollowsTheComboAndTheStoredName)
{
    m_doc.m_settings.m_strTrainingType = "kanika";
    m_doc.UpdateAllViews(0);
    EXPECT_EQ(Control<QComboBox>(1002)->currentIndex(), 1);
    EXPECT_EQ(m_view->CurrentTrainingType(), &m_doc.m_aTrainingTypes[1]);
    EXPECT_FALSE(Control<CSortedListCtrl>(1023)->showGrid());
    AddRecord(1'600'000'000, 10, 1, 1);
    auto* combo = Control<QComboBox>(1002);
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    EXPECT_EQ(m_view->CurrentTrainingType(), &m_doc.m_aTrainingTypes[0]);
    EXPECT_EQ(m_doc.m_settings.m_strTrainingType, "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(List().rowCount(), 1);
    EXPECT_TRUE(Control<CSortedListCtrl>(1023)->showGrid());
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ViewTest, PrintPreviewShowsTheFourPagesAndKeepsTheLayoutChosen)
{
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("preview.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);
    // An earlier print job of pages 2 to 3 left its range in the printer settings.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);

    struct Seen {
        int pages = -1;
        QPrintPreviewWidget::ViewMode mode = QPrintPreviewWidget::AllPagesView;
    };
    // Opens the preview, notes what it shows, picks a layout with its tool bar action and closes it.
    const auto preview = [&](int& numPreviewPages, const char* layoutAction) {
        Seen seen;
        QTimer::singleShot(0, [&] {
            QPrintPreviewDialog* dialog = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* candidate = qobject_cast<QPrintPreviewDialog*>(widget); candidate && candidate->isVisible())
                    dialog = candidate;
            if (!dialog) {
                ADD_FAILURE() << "no print preview";
                return;
            }
            const auto* pages = dialog->findChild<QPrintPreviewWidget*>();
            seen.pages = pages->pageCount();
            seen.mode = pages->viewMode();
            if (layoutAction)
                dialog->findChild<QAction*>(QString::fromLatin1(layoutAction))->trigger();
            dialog->reject();
        });
        m_view->OnFilePrintPreview(printer, numPreviewPages);
        return seen;
    };

    int numPreviewPages = 0;
    Seen seen = preview(numPreviewPages, "facingModeAction");
    EXPECT_EQ(seen.pages, 4) << "every preview starts with all four diagrams";
    EXPECT_EQ(seen.mode, QPrintPreviewWidget::SinglePageView) << "one page before any choice";
    EXPECT_EQ(numPreviewPages, 2);

    seen = preview(numPreviewPages, nullptr);
    EXPECT_EQ(seen.mode, QPrintPreviewWidget::FacingPagesView) << "the layout chosen last";
    EXPECT_EQ(numPreviewPages, 2);

    preview(numPreviewPages, "singleModeAction");
    EXPECT_EQ(numPreviewPages, 1);
    seen = preview(numPreviewPages, nullptr);
    EXPECT_EQ(seen.mode, QPrintPreviewWidget::SinglePageView);
}

} // namespace
