#pragma once

#include "dialogs/dialog_commands.h"
#include "evaluation/diagram_print_job.h"
#include "evaluation/diagram_windows.h"
#include "practice/clock.h"
#include "practice/key_state.h"
#include "practice/measuring_mode.h"
#include "practice/measuring_state.h"
#include "records/training_document.h"
#include "sound/event_sounds.h"
#include "sound/volume_control.h"

#include <QMap>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class BevelProgressBar;
class BitmapSlider;
class GradientLabel;
class IntervalClock;
class IntervalListModel;
class KeyStateTracker;
class IntervalListView;
class TimePicker;
class QAbstractButton;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;

// The main form: the settings controls, the interval clock, the interval
// list, and the measuring mode in which the whole form is one large button.
class MainForm : public QWidget, private DocumentObserver, private MeasuringForm {
    Q_OBJECT
public:
    // The output levels behind the two volume sliders. One left out is made:
    // the wave level as a gain of its own (hand the player the same gain to
    // hear it), the main level as the desktop's master volume.
    struct Volumes {
        std::unique_ptr<VolumeControl> wave;
        std::unique_ptr<VolumeControl> main;
    };

    // Without a key state of its own the view follows the real keyboard.
    MainForm(TrainingDocument& document, std::shared_ptr<SoundPlayer> player, Volumes volumes = {},
             const Clock& clock = systemClock(), KeyState* keys = nullptr, QWidget* parent = nullptr);
    ~MainForm() override;

    QSize sizeHint() const override;

    // Once the frame holds the view: the first call sets the form up and the
    // settings to their defaults; every call reloads the sounds.
    void initialUpdate();

    // Settings and training type.
    void showSettings();

    DiagramWindows& diagrams() { return m_diagrams; }
    MeasuringMode& measuring() { return m_measuring; }
    // Whether the measuring mode is on, for the windows that follow it.
    const MeasuringState& measuringState() const { return m_measuringState; }
    EventSounds& eventSounds() { return m_sounds; }
    const TrainingType* currentTrainingType() const { return m_measuring.m_trainingType; }
    bool isMeasureTimerActive() const { return m_measureTimer.isActive(); }
    bool isPointerConfined() const { return m_cursorConfined; }
    bool isTimeSoundOn() const { return m_document.settings().m_timeSound != 0; }
    const QString& statusText() const { return m_statusText; }
    // A control of the form by its id.
    QWidget* control(int id) const { return m_controls.value(id); }

public slots:
    // Command 1001: the button and F10.
    void onMeasuringModeCommand();
    // Ends a running measuring mode as ESC does, keeping the running interval as cut off.
    void endMeasuring();
    // Command 32776 "Time sound every 5 min"; the document is not marked modified.
    void onTimeSoundCommand();
    // Command 32772.
    void onRestoreDefaults();
    // Command 32773.
    void onIntervalFilterCommand();
    // Command 32774, Ctrl+Alt+D; ignored while measuring.
    void onManualEntryCommand();
    // The list's double-click message: the phone record dialog.
    void onPhoneRecordEntry();
    // Command 57609: the print preview of the four diagram pages. It opens with
    // previewPages pages side by side (2; 0 or 1 give one page) and, when it
    // closes, gives keepPreviewPages the layout the user chose last.
    void onFilePrintPreview(QPrinter& printer, int previewPages, std::function<void(int)> keepPreviewPages);
    // The program lost (false) or regained (true) activation while measuring:
    // the pointer is freed, or confined again.
    void onMeasuringActivationChanged(bool activated);

signals:
    // Text for pane 0 of the main frame's status bar.
    void statusTextChanged(const QString& text);
    // The time sound was switched; a menu's check mark follows it.
    void timeSoundChanged(bool on);
    // A double click on the interval list; its receiver opens the phone
    // record dialog through onPhoneRecordEntry.
    void phoneRecordDialogRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // DocumentObserver: follows the document after a new document, a load or a save.
    void documentChanged() override;

    void buildForm();
    void connectHandlers();
    void onFixedTotalClicked(bool ticked);
    void onAutoAlarmClicked(bool ticked);
    void onTrainingTypeChosen();
    void onSoundTest();
    void onChooseSounds();
    void onSliderMoving(int id, int position);
    void onSliderMoved(int id, int position);
    void applyStoredVolumes();
    void onVolumeChanged();
    EntryViewHooks makeEntryHooks();
    void selectTrainingTypeFromCombo();
    void deleteSelectedIntervals();
    void refreshDiagrams();

    // MeasuringForm
    void updateTimeDisplays() override;
    void setStatusPanel(BannerLook state) override;
    void confinePointer(bool on) override;
    void setSettingsEditable(bool enable) override;
    void fillIntervalList() override;
    void addIntervalRow(const IntervalRecord& entry) override;
    void closeDiagrams() override;
    void setProgressPos(int percent) override;
    void tickShowLastMeasurement() override;
    unsigned startMeasureTimer() override;
    void stopMeasureTimer() override;
    void setStatusText(const std::string& text) override;
    void releaseMouseCapture() override;
    void setClockRunning(bool running) override;
    void playSoundEvent(SoundEvent event, PlayMode mode) override;
    bool isFixedTotalTimeTicked() const override;
    bool isAutoAlarmTicked() const override;
    void measuringActiveChanged(bool active) override;

    TrainingDocument& m_document;
    std::shared_ptr<SoundPlayer> m_player;
    EventSounds m_sounds;
    DiagramWindows m_diagrams;
    DiagramPrintJob m_printout;
    bool m_firstInitialUpdate = true;
    bool m_inInitialUpdate = false;
    std::unique_ptr<KeyStateTracker> m_ownKeys;
    QTimer m_measureTimer;
    bool m_cursorConfined = false;
    QString m_statusText;

    QMap<int, QWidget*> m_controls;
    GradientLabel* m_banner = nullptr;
    GradientLabel* m_bannerLabel = nullptr;
    IntervalClock* m_clock = nullptr;
    BevelProgressBar* m_progress = nullptr;
    QLabel* m_totalTime = nullptr;
    QLabel* m_longestTime = nullptr;
    QAbstractButton* m_fixedTotal = nullptr;
    QAbstractButton* m_autoAlarm = nullptr;
    QAbstractButton* m_showLast = nullptr;
    TimePicker* m_fixedDuration = nullptr;
    TimePicker* m_alarmInterval = nullptr;
    QComboBox* m_trainingTypes = nullptr;
    BitmapSlider* m_waveSlider = nullptr;
    BitmapSlider* m_mainSlider = nullptr;
    IntervalListView* m_list = nullptr;
    IntervalListModel* m_listModel = nullptr;
    // Laid over the whole form while measuring: its presses go to the form.
    QWidget* m_pressSurface = nullptr;

    MeasuringMode m_measuring;
    MeasuringState m_measuringState;

    std::unique_ptr<VolumeControl> m_waveVolume;
    std::unique_ptr<VolumeControl> m_mainVolume;
    // The levels found at start, written back at the end unless a level changed meanwhile.
    int m_savedWaveLevel = -1;
    int m_savedMainLevel = -1;
    bool m_restoreLevels = true;
};
