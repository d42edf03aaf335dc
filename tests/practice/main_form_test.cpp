#include "tests/practice/main_form_fixture.h"

#include "controls/bevel_progress_bar.h"
#include "controls/form_pictures.h"
#include "controls/gradient_label.h"
#include "controls/interval_clock.h"
#include "platform/message_box.h"
#include "platform/pointer_confinement.h"
#include "platform/time_picker.h"
#include "practice/interval_list_model.h"
#include "practice/interval_list_view.h"
#include "practice/main_form.h"
#include "sound/sound_store.h"
#include "tests/support/document_edits.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

#include <fstream>

namespace {

using Played = std::vector<std::pair<std::string, bool>>;

class ViewTest : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        m_doc.onNewDocument();
        writeSoundFiles();
        m_doc.apply(SetTimeSound{false});
        changeSettings(m_doc, [](DocumentSettings& s) { s.m_fixedExerciseTime = 0; });
        makeView();
        m_doc.announceReset(DocumentReset::Loaded);
        m_doc.setModified(false);
    }

    // A press anywhere on the form: while measuring, the whole form is the button.
    void press(Qt::MouseButton button, int overControl = IDC_INTERVAL_LIST)
    {
        QWidget* target = control(overControl);
        QTest::mousePress(target, button, {}, target->rect().center());
        QTest::mouseRelease(target, button, {}, target->rect().center());
    }
    void seconds(TimeSpan seconds)
    {
        for (TimeSpan s = 0; s < seconds; ++s) {
            m_clock.advance(1);
            for (int t = 0; t < 5 && m_view->isMeasureTimerActive(); ++t)
                m_view->measuring().tick();
        }
    }
    Played takePlayed() { return std::exchange(m_player->m_played, {}); }
    QString text(int id) const { return control<QLabel>(id)->text(); }
    QString bannerText() const { return control<GradientLabel>(IDC_BANNER_LABEL)->text(); }
    const IntervalRecordList& records() const { return m_doc.trainingTypes()[0].m_records; }
    IntervalListModel& list() const { return *control<IntervalListView>(IDC_INTERVAL_LIST)->intervalModel(); }
    QString cell(int row, int column) const { return list().index(row, column).data().toString(); }
    void addRecord(CalendarTime start, TimeSpan length, std::uint16_t measurement, std::uint16_t run)
    {
        IntervalRecord entry;
        entry.m_timeStart = start;
        entry.m_timeEnd = start + length;
        entry.m_measurement = measurement;
        entry.m_run = run;
        append(m_doc, m_doc.trainingTypes()[0], entry);
        m_doc.setModified(false); // as loaded from a file
    }
};

TEST_F(ViewTest, ARunFromTheButtonThroughTwoIntervalsToEscape)
{
    addRecord(1'600'000'000, 100, 3, 1);
    m_doc.announceReset(DocumentReset::Loaded);
    EXPECT_EQ(bannerText(), QStringLiteral("Settings and evaluations"));
    EXPECT_EQ(control<GradientLabel>(IDC_BANNER)->backgroundColor(), QColor(10, 36, 106));
    EXPECT_TRUE(control<GradientLabel>(IDC_BANNER_LABEL)->isTransparent());
    EXPECT_TRUE(control<IntervalClock>(IDC_INTERVAL_CLOCK)->hasPictures());
    EXPECT_FALSE(control(IDC_ALARM_BUTTON)->isEnabled());
    EXPECT_EQ(list().rowCount(), 1);

    QSignalSpy status(m_view.get(), &MainForm::statusTextChanged);
    QSignalSpy activeChanges(&m_view->measuringState(), &MeasuringState::activeChanged);
    click(IDC_MEASURING_MODE);
    EXPECT_TRUE(m_view->measuring().isActive());
    EXPECT_TRUE(m_view->measuringState().isActive());
    ASSERT_EQ(activeChanges.count(), 1);
    EXPECT_TRUE(activeChanges.at(0).at(0).toBool());
    EXPECT_TRUE(m_view->isMeasureTimerActive());
    EXPECT_EQ(bannerText(), QStringLiteral("Waiting for mouse-start (left mouse button) ..."));
    EXPECT_EQ(control<GradientLabel>(IDC_BANNER_LABEL)->textColor(), QColor(0, 0, 0));
    EXPECT_EQ(control<GradientLabel>(IDC_BANNER)->backgroundColor(), QColor(255, 224, 0));
    EXPECT_EQ(control<GradientLabel>(IDC_BANNER)->gradientColor(), QColor(138, 173, 216));
    EXPECT_TRUE(control<QAbstractButton>(IDC_SHOW_LAST)->isChecked());
    EXPECT_EQ(list().rowCount(), 0);
    for (int id : {IDC_TRAINING_TYPE, IDC_MAXIMUM, IDC_FIXED_TOTAL, IDC_MEASURING_MODE, IDC_AUTO_ALARM, IDC_SOUND_TEST,
                   IDC_CHOOSE_SOUNDS, IDC_SHOW_LAST, IDC_DELETE_INTERVALS, IDC_WAVE_VOLUME, IDC_MAIN_VOLUME})
        EXPECT_FALSE(control(id)->isEnabled()) << id;
    EXPECT_TRUE(control(IDC_ALARM_BUTTON)->isEnabled());
    EXPECT_TRUE(control<IntervalClock>(IDC_INTERVAL_CLOCK)->isLit());
    EXPECT_TRUE(m_view->isPointerConfined());
    EXPECT_EQ(QWidget::mouseGrabber(), m_view.get());
    for (const QWidget* widget : {static_cast<QWidget*>(m_view.get()), m_view->findChild<QWidget*>("PressSurface")}) {
        EXPECT_EQ(widget->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(widget->cursor().hotSpot(), kMeasuringCursorHotSpot);
    }
    ASSERT_GE(status.count(), 1);
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("Meditation interval measurement active.(Interval start "
                                                             "and end can now be controlled with the mouse, ESC ends "
                                                             "the measuring mode)."));

    press(Qt::LeftButton); // over the list: the form takes it
    EXPECT_EQ(bannerText(), QStringLiteral("Recording is in progress"));
    EXPECT_EQ(control<GradientLabel>(IDC_BANNER_LABEL)->textColor(), QColor(240, 240, 240));
    EXPECT_EQ(control<GradientLabel>(IDC_BANNER)->backgroundColor(), QColor(204, 0, 102));
    EXPECT_TRUE(control<IntervalClock>(IDC_INTERVAL_CLOCK)->isRunning());
    seconds(75);
    EXPECT_EQ(control<IntervalClock>(IDC_INTERVAL_CLOCK)->span(), 75);
    EXPECT_EQ(text(IDC_TOTAL_TIME), QStringLiteral(" 00:01:15"));
    // The 375th tick shows 374 % 10 dots between the two sentences' full stops.
    EXPECT_EQ(m_view->statusText().count(QLatin1Char('.')), 4 + 2);
    press(Qt::LeftButton, IDC_TRAINING_TYPE);
    EXPECT_EQ(bannerText(), QStringLiteral("Waiting for mouse-start (left mouse button) ..."));
    EXPECT_FALSE(control<IntervalClock>(IDC_INTERVAL_CLOCK)->isRunning());
    EXPECT_EQ(text(IDC_LONGEST_TIME), QStringLiteral("00:01:15"));
    ASSERT_EQ(list().rowCount(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("4"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("00:01:15"));

    press(Qt::RightButton); // waiting: nothing
    seconds(30);
    press(Qt::LeftButton, IDC_BANNER);
    seconds(10);
    m_keys.hold(WatchedKey::Escape);
    seconds(1);
    m_keys.release(WatchedKey::Escape);
    EXPECT_FALSE(m_view->measuring().isActive());
    ASSERT_EQ(activeChanges.count(), 2) << "once per change";
    EXPECT_FALSE(activeChanges.at(1).at(0).toBool());
    EXPECT_FALSE(m_view->isMeasureTimerActive());
    EXPECT_FALSE(m_view->isPointerConfined());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(m_view->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(m_view->statusText(), QStringLiteral("Meditation interval measurement mode off."));
    EXPECT_EQ(bannerText(), QStringLiteral("Settings and evaluations"));
    EXPECT_TRUE(control(IDC_MEASURING_MODE)->isEnabled());
    EXPECT_FALSE(control(IDC_ALARM_BUTTON)->isEnabled());
    EXPECT_FALSE(control<IntervalClock>(IDC_INTERVAL_CLOCK)->isLit());

    const Played expected = {{"BeginIntervall.wav", true},
                             {"EndIntervall.wav", true},
                             {"BeginIntervall.wav", true},
                             {"EndExercise.wav", true}};
    EXPECT_EQ(takePlayed(), expected);
    ASSERT_EQ(records().size(), 3);
    EXPECT_EQ(records()[2].m_measurement, 4);
    EXPECT_EQ(records()[2].m_run, 2);
    EXPECT_EQ(records()[2].m_uddhacca, 1);
    EXPECT_EQ(records()[2].length(), 11);
    EXPECT_TRUE(m_doc.isModified());
    // The list now shows the run just recorded, and the displays keep its values.
    ASSERT_EQ(list().rowCount(), 2);
    EXPECT_EQ(cell(1, 2), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("x"));
    EXPECT_EQ(text(IDC_TOTAL_TIME), QStringLiteral(" 00:01:26"));
    EXPECT_EQ(text(IDC_LONGEST_TIME), QStringLiteral("00:01:15"));
    // A document update shows all intervals again.
    m_doc.announceReset(DocumentReset::Loaded);
    EXPECT_FALSE(control<QAbstractButton>(IDC_SHOW_LAST)->isChecked());
    EXPECT_EQ(list().rowCount(), 3);
}

TEST_F(ViewTest, RightButtonEndsAsUddhaccaAndF10SwitchesOffSilently)
{
    m_view->onMeasuringModeCommand();
    press(Qt::LeftButton);
    seconds(20);
    press(Qt::RightButton);
    EXPECT_EQ(text(IDC_LONGEST_TIME), QStringLiteral("00:00:00"));
    press(Qt::LeftButton);
    seconds(5);
    takePlayed();
    m_view->onMeasuringModeCommand(); // F10
    EXPECT_FALSE(m_view->measuring().isActive());
    EXPECT_TRUE(takePlayed().empty());
    m_keys.hold(WatchedKey::Escape);
    seconds(1); // no tick comes any more
    EXPECT_TRUE(takePlayed().empty());
    EXPECT_EQ(m_view->statusText(), QStringLiteral("Meditation interval measurement mode off."));
    ASSERT_EQ(records().size(), 2);
    EXPECT_EQ(records()[0].m_uddhacca, 1);
    EXPECT_EQ(records()[1].m_uddhacca, 1);
    // Outside the mode presses do nothing.
    press(Qt::LeftButton, IDC_BANNER);
    EXPECT_EQ(records().size(), 2);
}

TEST_F(ViewTest, SpaceAndBackspaceWorkAsTheMouseButtonsWhileMeasuringWhereverTheFocusIs)
{
    QWidget* list = control(IDC_INTERVAL_LIST);
    QTest::keyClick(list, Qt::Key_Space); // outside the mode the keys are the controls' own
    click(IDC_MEASURING_MODE);
    QTest::keyClick(list, Qt::Key_Backspace); // waiting: as the right button, nothing
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(m_view->measuring().phase(), MeasuringPhase::Waiting);

    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(m_view->measuring().phase(), MeasuringPhase::Recording);
    seconds(3);
    // A key held down repeats, but counts once as a held button does.
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(m_view->findChild<QWidget*>("PressSurface"), &repeated);
    EXPECT_EQ(m_view->measuring().phase(), MeasuringPhase::Recording);
    QTest::keyClick(m_view->findChild<QWidget*>("PressSurface"), Qt::Key_Backspace);
    EXPECT_EQ(m_view->measuring().phase(), MeasuringPhase::Waiting);
    EXPECT_EQ(takePlayed(), (Played{{"BeginIntervall.wav", true}, {"EndIntervallUddhacca.wav", true}}));
    ASSERT_EQ(records().size(), 1);
    EXPECT_EQ(records()[0].length(), 3);
    EXPECT_EQ(records()[0].m_uddhacca, 1);

    m_view->onMeasuringModeCommand();
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(records().size(), 1);
    EXPECT_FALSE(m_view->measuring().isActive());
}

TEST_F(ViewTest, EndingTheMeasuringForTheDocumentKeepsTheRunningIntervalAndDestroyingTheViewStoresNothing)
{
    m_view->endMeasuring(); // outside the mode nothing happens
    EXPECT_TRUE(takePlayed().empty());
    m_view->onMeasuringModeCommand();
    press(Qt::LeftButton);
    seconds(40);
    takePlayed();
    m_view->endMeasuring();
    EXPECT_FALSE(m_view->measuring().isActive());
    EXPECT_EQ(takePlayed(), (Played{{"EndExercise.wav", true}}));
    ASSERT_EQ(records().size(), 1);
    EXPECT_EQ(records()[0].m_timeEnd - records()[0].m_timeStart, 40);
    EXPECT_EQ(records()[0].m_uddhacca, 1);
    EXPECT_TRUE(m_doc.isModified());

    // Destroyed while measuring, the view frees the pointer and keeps the running interval out.
    click(IDC_MEASURING_MODE);
    press(Qt::LeftButton);
    seconds(4);
    ASSERT_EQ(QWidget::mouseGrabber(), m_view.get());
    m_view.reset();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(records().size(), 1);
}

TEST_F(ViewTest, FixedTotalTimeFillsTheBarAndEndsTheRun)
{
    click(IDC_FIXED_TOTAL);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(m_doc.settings().m_fixedExerciseTime, 1);
    EXPECT_TRUE(control(IDC_FIXED_DURATION)->isEnabled());
    control<TimePicker>(IDC_FIXED_DURATION)->setTime(QTime(0, 10, 0));
    EXPECT_EQ(durationSeconds(m_doc.settings().m_timeFixedDuration), 600);

    click(IDC_MEASURING_MODE);
    EXPECT_TRUE(control(IDC_FIXED_DURATION)->isEnabled()); // ticked: editable for the next run
    press(Qt::LeftButton);
    seconds(360);
    press(Qt::LeftButton);
    EXPECT_EQ(control<BevelProgressBar>(IDC_PROGRESS)->value(), 60);
    seconds(40);
    press(Qt::LeftButton);
    takePlayed();
    seconds(240);
    EXPECT_FALSE(m_view->measuring().isActive());
    EXPECT_EQ(takePlayed(), (Played{{"EndExercise.wav", true}}));
    EXPECT_EQ(control<BevelProgressBar>(IDC_PROGRESS)->value(), 0);
    ASSERT_EQ(records().size(), 2);
    EXPECT_EQ(records()[1].m_uddhacca, 0);
    EXPECT_EQ(records()[1].length(), 240);

    // Unticked, the duration is disabled and kept.
    click(IDC_FIXED_TOTAL);
    EXPECT_FALSE(control(IDC_FIXED_DURATION)->isEnabled());
    EXPECT_EQ(durationSeconds(m_doc.settings().m_timeFixedDuration), 600);
}

TEST_F(ViewTest, AlarmsAndTimeSoundReachTheSoundBackEnd)
{
    click(IDC_AUTO_ALARM);
    EXPECT_EQ(m_doc.settings().m_autoUddhaccaAlarm, 1);
    EXPECT_TRUE(control(IDC_ALARM_INTERVAL)->isEnabled());
    control<TimePicker>(IDC_ALARM_INTERVAL)->setTime(QTime(0, 5, 0));
    m_doc.setModified(false);
    QSignalSpy timeSound(m_view.get(), &MainForm::timeSoundChanged);
    m_view->onTimeSoundCommand();
    EXPECT_FALSE(m_doc.isModified()); // the time sound alone asks for no save
    EXPECT_EQ(timeSound.count(), 1);

    click(IDC_MEASURING_MODE);
    press(Qt::LeftButton);
    takePlayed();
    seconds(12 * 60);
    // Alarm at 5 and 10 minutes; the time sound at 5 and 10 minutes of total time.
    const Played expected = {{"UddhaccaAlarm.wav", true},
                             {"BeginIntervall.wav", true},
                             {"UddhaccaAlarm.wav", true},
                             {"BeginIntervall.wav", true}};
    EXPECT_EQ(takePlayed(), expected);
    m_keys.hold(WatchedKey::F12);
    seconds(1);
    EXPECT_EQ(takePlayed(), Played(5, {"UddhaccaAlarm.wav", true}));
}

TEST_F(ViewTest, ADoubleClickWhileMeasuringCountsAsTheOnePressItStartsWith)
{
    click(IDC_MEASURING_MODE);
    const QPoint where = m_view->rect().center();
    // What Qt delivers for a double click: the second press comes as a double click.
    const auto doubleClick = [&] {
        QTest::mousePress(m_view.get(), Qt::LeftButton, {}, where);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, where);
        QMouseEvent second(QEvent::MouseButtonDblClick, where, m_view->mapToGlobal(where), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_view.get(), &second);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, where);
    };
    doubleClick();
    EXPECT_EQ(bannerText(), QStringLiteral("Recording is in progress"));
    seconds(30);
    doubleClick();
    EXPECT_EQ(bannerText(), QStringLiteral("Waiting for mouse-start (left mouse button) ..."));
    ASSERT_EQ(records().size(), 1);
    EXPECT_EQ(records()[0].m_timeEnd - records()[0].m_timeStart, 30);
    m_view->onMeasuringModeCommand();
    EXPECT_EQ(records().size(), 1);
}

// Confines nothing and grabs nothing, as on a desktop without pointer grabs.
class CountingConfinement : public PointerConfinement {
public:
    void confine(QWidget*) override { ++m_confined; }
    void release(QWidget*) override { ++m_released; }
    int m_confined = 0;
    int m_released = 0;
};

TEST_F(ViewTest, WithoutAGrabPressesOverAnyControlStillReachTheForm)
{
    CountingConfinement confinement;
    setPointerConfinement(&confinement);
    click(IDC_MEASURING_MODE);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    press(Qt::LeftButton, IDC_INTERVAL_LIST);
    EXPECT_TRUE(m_view->measuring().phase() == MeasuringPhase::Recording);
    press(Qt::RightButton, IDC_INTERVAL_CLOCK);
    EXPECT_FALSE(m_view->measuring().phase() == MeasuringPhase::Recording);
    // The frame frees and restores the pointer when the program loses and regains activation.
    m_view->onMeasuringActivationChanged(false);
    m_view->onMeasuringActivationChanged(false);
    m_view->onMeasuringActivationChanged(true);
    EXPECT_EQ(confinement.m_confined, 2);
    EXPECT_EQ(confinement.m_released, 1);
    m_view->onMeasuringModeCommand();
    EXPECT_EQ(confinement.m_released, 2);
    setPointerConfinement(nullptr);
    ASSERT_EQ(records().size(), 1);
    EXPECT_EQ(records()[0].m_uddhacca, 1);
    // Outside the mode the controls get their presses again.
    QTest::mouseClick(control(IDC_FIXED_TOTAL), Qt::LeftButton);
    EXPECT_EQ(m_doc.settings().m_fixedExerciseTime, 1);
}

TEST_F(ViewTest, TheRealTimerTicksAndKeyTapsInTheFormBetweenTwoTicksAreSeenOnceAtTheNextTick)
{
    MainForm view(m_editor, m_player, volumesWithoutMixer(), m_clock, nullptr);
    view.show();
    m_doc.announceReset(DocumentReset::Loaded); // loads the sounds
    QSignalSpy status(&view, &MainForm::statusTextChanged);
    view.onMeasuringModeCommand();
    EXPECT_TRUE(QTest::qWaitFor([&] { return status.count() >= 3; }, 2000));
    QTest::keyPress(&view, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view.measuring().isActive(); }, 2000));
    QTest::keyRelease(&view, Qt::Key_Escape);
    EXPECT_EQ(view.statusText(), QStringLiteral("Meditation interval measurement mode off."));

    const auto tap = [&](Qt::Key key) {
        QTest::keyPress(&view, key);
        QTest::keyRelease(&view, key);
    };
    // A tap before the run does not end it.
    tap(Qt::Key_Escape);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F11}) {
        view.onMeasuringModeCommand();
        view.measuring().tick();
        ASSERT_TRUE(view.measuring().isActive());
        tap(key);
        EXPECT_TRUE(view.measuring().isActive());
        view.measuring().tick();
        EXPECT_FALSE(view.measuring().isActive());
    }
    // ESC that closes a dialog, or F11 and F12 given to it, are the dialog's.
    view.onMeasuringModeCommand();
    QDialog dialog(&view);
    dialog.show();
    for (Qt::Key key : {Qt::Key_F11, Qt::Key_F12, Qt::Key_Escape})
        QTest::keyClick(&dialog, key);
    EXPECT_FALSE(dialog.isVisible());
    view.measuring().tick();
    EXPECT_TRUE(view.measuring().isActive());
    takePlayed();
    tap(Qt::Key_F12);
    view.measuring().tick();
    view.measuring().tick();
    EXPECT_EQ(takePlayed(), Played(1, {"UddhaccaAlarm.wav", true}));
    // Held down, it repeats at every tick until let go.
    QTest::keyPress(&view, Qt::Key_F12);
    view.measuring().tick();
    view.measuring().tick();
    QTest::keyRelease(&view, Qt::Key_F12);
    view.measuring().tick();
    EXPECT_EQ(takePlayed(), Played(2, {"UddhaccaAlarm.wav", true}));
    EXPECT_TRUE(view.measuring().isActive());
    view.onMeasuringModeCommand();
}

// Sorting is checked with the list itself and with the rows behind it.
TEST_F(ViewTest, ListDeletesTheSelectedRecordsAndADoubleClickAnywhereAsksForPhoneRecords)
{
    const CalendarTime base = makeLocalTime(2012, 6, 1, 7, 0, 0);
    addRecord(base, 300, 1, 1);
    addRecord(base + 1000, 100, 1, 2);
    addRecord(base + 2000, 200, 2, 1);
    addRecord(base + 1000, 50, 2, 2); // same second as the second record
    m_doc.announceReset(DocumentReset::Loaded);
    auto* listView = control<IntervalListView>(IDC_INTERVAL_LIST);
    EXPECT_TRUE(listView->showGrid());
    EXPECT_EQ(cell(0, 0), QStringLiteral("01.06.12"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("07:00:00"));

    // Nothing selected: no question.
    click(IDC_DELETE_INTERVALS);
    EXPECT_TRUE(m_boxes.m_asked.isEmpty());
    listView->selectRow(1); // starts in the same second as the last record
    m_boxes.m_answer = MessageBox::Answer::No;
    click(IDC_DELETE_INTERVALS);
    EXPECT_EQ(m_boxes.m_asked.size(), 1);
    EXPECT_EQ(m_boxes.m_asked.first(), QStringLiteral("Do you really want to delete the selection?"));
    EXPECT_EQ(records().size(), 4);
    EXPECT_FALSE(m_doc.isModified());
    m_boxes.m_answer = MessageBox::Answer::Yes;
    click(IDC_DELETE_INTERVALS);
    EXPECT_TRUE(m_doc.isModified());
    ASSERT_EQ(records().size(), 3);
    EXPECT_EQ(records()[2].m_timeEnd, base + 1050); // the record of the same second stays
    EXPECT_EQ(list().rowCount(), 3);

    // A wrong deletion is taken back, and made again.
    EXPECT_EQ(m_editor.undoStack().undoText(), "delete interval");
    m_editor.undoStack().undo();
    ASSERT_EQ(records().size(), 4);
    EXPECT_EQ(records()[1].m_timeEnd, base + 1100);
    EXPECT_EQ(list().rowCount(), 4);
    m_editor.undoStack().redo();
    EXPECT_EQ(records().size(), 3);
    EXPECT_EQ(list().rowCount(), 3);
    click(IDC_SHOW_LAST);
    EXPECT_EQ(list().rowCount(), 2);
    EXPECT_EQ(cell(0, 1), QStringLiteral("2"));

    click(IDC_SHOW_LAST);
    EXPECT_EQ(list().rowCount(), 3);
    QSignalSpy phone(m_view.get(), &MainForm::phoneRecordDialogRequested);
    QTest::mouseDClick(listView->viewport(), Qt::LeftButton, {}, QPoint(10, listView->rowViewportPosition(1) + 3));
    EXPECT_EQ(phone.count(), 0) << "the message is posted, after the list's own handling";
    QCoreApplication::processEvents();
    EXPECT_EQ(phone.count(), 1);
    QTest::mouseDClick(listView->viewport(), Qt::LeftButton, {}, QPoint(10, listView->viewport()->height() - 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(phone.count(), 2) << "below the rows as well";
}

TEST_F(ViewTest, ListKeysMoveByRowsLeaveByTabAndDeleteLikeTheButton)
{
    for (int i = 0; i < 4; ++i)
        addRecord(1'600'000'000 + i * 100, 10, 1, static_cast<std::uint16_t>(i + 1));
    m_doc.announceReset(DocumentReset::Loaded);
    m_view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    auto* listView = control<IntervalListView>(IDC_INTERVAL_LIST);
    listView->setFocus();
    listView->setCurrentIndex(list().index(1, 3));
    QTest::keyClick(listView, Qt::Key_End);
    EXPECT_EQ(listView->currentIndex().row(), 3);
    QTest::keyClick(listView, Qt::Key_Home);
    EXPECT_EQ(listView->currentIndex().row(), 0);
    QTest::keyClick(listView, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(listView->currentIndex().row(), 3);
    EXPECT_EQ(listView->currentIndex().column(), 3);
    QTest::keyClick(listView, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(listView->currentIndex().row(), 0);

    // Delete asks as the button does; only Yes deletes the selected row.
    listView->clearSelection();
    listView->selectRow(2);
    m_boxes.m_answer = MessageBox::Answer::No;
    QTest::keyClick(listView, Qt::Key_Delete);
    EXPECT_EQ(m_boxes.m_asked, QStringList{QStringLiteral("Do you really want to delete the selection?")});
    EXPECT_EQ(records().size(), 4);
    m_boxes.m_answer = MessageBox::Answer::Yes;
    QTest::keyClick(listView, Qt::Key_Delete);
    ASSERT_EQ(records().size(), 3);
    EXPECT_EQ(records()[2].m_run, 4);

    QTest::keyClick(listView, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), listView);
    listView->setFocus();
    QTest::keyClick(listView, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), listView);
    EXPECT_NE(QApplication::focusWidget(), nullptr);
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
        bool toolBarAgrees = true;
    };
    // Opens the preview, notes what it shows, picks a layout as its tool bar does and closes it.
    const auto preview = [&](int& numPreviewPages, std::optional<QPrintPreviewWidget::ViewMode> layout) {
        Seen seen;
        m_commands->printPreview(printer, numPreviewPages, [&](int pages) { numPreviewPages = pages; });
        auto* dialog = m_view->window()->findChild<QPrintPreviewDialog*>();
        if (!dialog || !dialog->isVisible()) {
            ADD_FAILURE() << "no print preview";
            return seen;
        }
        EXPECT_FALSE(dialog->isModal()) << "the main window stays usable";
        auto* pages = dialog->findChild<QPrintPreviewWidget*>();
        seen.pages = pages->pageCount();
        seen.mode = pages->viewMode();
        // The tool bar's checked layout is the one shown: choosing it again changes nothing.
        for (QActionGroup* group : dialog->findChildren<QActionGroup*>())
            for (QAction* action : group->actions())
                if (action->isChecked()) {
                    action->trigger();
                    seen.toolBarAgrees = seen.toolBarAgrees && pages->viewMode() == seen.mode;
                }
        if (layout)
            pages->setViewMode(*layout);
        m_commands->printPreview(printer, 0, [](int) { ADD_FAILURE() << "a second preview opened"; });
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return seen;
    };

    int numPreviewPages = 0;
    Seen seen = preview(numPreviewPages, QPrintPreviewWidget::FacingPagesView);
    EXPECT_EQ(seen.pages, 4) << "every preview starts with all four diagrams";
    EXPECT_EQ(seen.mode, QPrintPreviewWidget::SinglePageView) << "one page before any choice";
    EXPECT_EQ(numPreviewPages, 2);

    seen = preview(numPreviewPages, std::nullopt);
    EXPECT_EQ(seen.mode, QPrintPreviewWidget::FacingPagesView) << "the layout chosen last";
    EXPECT_TRUE(seen.toolBarAgrees);
    EXPECT_EQ(numPreviewPages, 2);

    preview(numPreviewPages, QPrintPreviewWidget::SinglePageView);
    EXPECT_EQ(numPreviewPages, 1);
    preview(numPreviewPages, QPrintPreviewWidget::AllPagesView);
    EXPECT_EQ(numPreviewPages, 1) << "the overview is not kept";
    seen = preview(numPreviewPages, std::nullopt);
    EXPECT_EQ(seen.mode, QPrintPreviewWidget::SinglePageView);
}

TEST_F(ViewTest, AnOpenPrintPreviewPrintsTheDocumentAsItIsNow)
{
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = folder.filePath(QStringLiteral("print.pdf"));
    printer.setOutputFileName(pdf);
    m_doc.setTitle("First.con");
    m_commands->printPreview(printer, 0, [](int) {});
    auto* dialog = m_view->window()->findChild<QPrintPreviewDialog*>();
    ASSERT_NE(dialog, nullptr);

    // The main window stays usable: another file and another training type while the preview is open.
    m_doc.setTitle("Second.con");
    m_doc.announceReset(DocumentReset::Loaded);
    m_doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[1]);
    dialog->findChild<QPrintPreviewWidget*>()->print();
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    std::string text;
    if (FILE* pipe = ::popen(("pdftotext '" + pdf.toStdString() + "' -").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, got);
        ::pclose(pipe);
    }
    EXPECT_NE(text.find(std::string(TrainingDocument::kDefaultTrainingTypeNames[1]) + " Training"), std::string::npos)
        << text;
    EXPECT_NE(text.find("File: Second.con"), std::string::npos) << text;
}

} // namespace
