#pragma once

#include "clock.h"
#include "diagram_printout.h"
#include "diagram_windows.h"
#include "document.h"
#include "dialog_commands.h"
#include "event_sounds.h"
#include "key_state.h"
#include "measuring_mode.h"

#include <QMap>
#include <QTimer>
#include <QWidget>

#include <memory>

class CIntervalListModel;
class CKeyStateTracker;
class CPlainBanner;
class CPlainBannerLabel;
class CPlainClock;
class CPlainProgress;
class CSortedListCtrl;
class CTimePicker;
class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSlider;

// The main form: the settings controls, the interval clock, the interval
// list, and the measuring mode in which the whole form is one large button.
class CVersenkwerkView : public QWidget, public CDocumentView, private IMeasuringForm {
    Q_OBJECT
public:
    // Without a key state of its own the view follows the real keyboard.
    CVersenkwerkView(CVersenkwerkDoc& document, std::shared_ptr<ISoundPlayer> player,
                     const IClock& clock = SystemClock(), const IKeyState* keys = nullptr,
                     QWidget* parent = nullptr);
    ~CVersenkwerkView() override;

    QSize sizeHint() const override;

    // Once the frame holds the view: the first call sets the form up and the
    // settings to their defaults; every call reloads the sounds.
    void OnInitialUpdate();
    // Follows the document after a new document, a load or a save.
    void OnDocumentUpdate(int hint) override;

    // Measuring mode.
    void ToggleMeasuringMode();
    void StartInterval();
    void EndInterval(bool withSound);
    void OnMeasureTick();
    void AdvanceRunningSpans();
    void UpdateTimeDisplays() override;
    void SetStatusPanel(StatusPanelState state) override;
    void ShowMeasuringStatusText();
    // Also called by the main frame while measuring: off when the program
    // loses activation, on again when it regains it.
    void ConfinePointer(bool on) override;
    void LockSettingsControls(bool enable) override;
    void PlayF12Alarm();
    bool CheckFixedTotalTime();
    void CheckUddhaccaAlarm();
    void CheckTimeSound();

    // Interval list.
    void FillIntervalList() override;
    void AddIntervalRow(const CDataEntry& entry) override;
    void DeleteIntervalRow(int row);
    void DeleteSelectedIntervals();

    // Settings and training type.
    void ShowSettings();
    void SelectTrainingTypeFromCombo();

    // Diagram windows.
    void RefreshDiagrams();
    void CloseDiagrams() override;
    CDiagramWindows& Diagrams() { return m_diagrams; }

    CVersenkwerkDoc& Document() { return m_document; }
    CMeasuringMode& Measuring() { return m_measuring; }
    CEventSounds& EventSounds() { return m_sounds; }
    TrainingType* CurrentTrainingType() const { return m_measuring.m_pTrainingType; }
    bool IsMeasureTimerActive() const { return m_measureTimer.isActive(); }
    bool IsPointerConfined() const { return m_bCursorConfined; }
    bool IsTimeSoundOn() const { return m_document.m_settings.m_bTimeSound != 0; }
    const QString& StatusText() const { return m_strStatusText; }
    // A control of the form by its id.
    QWidget* Control(int id) const { return m_controls.value(id); }

public slots:
    // Command 1001: the button and F10.
    void OnMeasuringModeCommand();
    // Command 32776 "Time sound every 5 min"; the document is not marked modified.
    void OnTimeSoundCommand();
    // Command 32772.
    void OnRestoreDefaults();
    // Command 32773.
    void OnIntervalFilterCommand();
    // Command 32774, Ctrl+Alt+D; ignored while measuring.
    void OnManualEntryCommand();
    // The list's double-click message: the phone record dialog.
    void OnPhoneRecordEntry();
    // Command 57609: the print preview of the four diagram pages. It opens with
    // nNumPreviewPages pages side by side (2; 0 or 1 give one page) and leaves
    // there the layout the user chose last.
    void OnFilePrintPreview(QPrinter& printer, int& nNumPreviewPages);

signals:
    // Text for pane 0 of the main frame's status bar.
    void StatusTextChanged(const QString& text);
    // The time sound was switched; a menu's check mark follows it.
    void TimeSoundChanged(bool on);
    // A double click on the interval list; its receiver opens the phone
    // record dialog through OnPhoneRecordEntry.
    void PhoneRecordDialogRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildForm();
    void ConnectHandlers();
    void OnFixedTotalClicked(bool ticked);
    void OnAutoAlarmClicked(bool ticked);
    void OnTrainingTypeChosen();
    void OnSoundTest();
    void OnChooseSounds();
    void OnSliderMoving(int id);
    void OnSliderMoved();
    void ApplyStoredVolumes();
    EntryViewHooks MakeEntryHooks();

    // IMeasuringForm
    void SetProgressPos(int percent) override;
    void TickShowLastMeasurement() override;
    unsigned StartMeasureTimer() override;
    void StopMeasureTimer() override;
    void SetStatusText(const std::string& text) override;
    void ReleaseMouseCapture() override;
    void SetClockRunning(bool running) override;
    void PlaySoundEvent(SoundEvent event, int mode) override;
    bool IsFixedTotalTimeTicked() const override;
    bool IsAutoAlarmTicked() const override;

    CVersenkwerkDoc& m_document;
    std::shared_ptr<ISoundPlayer> m_pPlayer;
    CEventSounds m_sounds;
    CDiagramWindows m_diagrams;
    CDiagramPrintout m_printout;
    bool m_bFirstInitialUpdate = true;
    bool m_bInInitialUpdate = false;
    std::unique_ptr<CKeyStateTracker> m_pOwnKeys;
    QTimer m_measureTimer;
    bool m_bCursorConfined = false;
    QString m_strStatusText;

    QMap<int, QWidget*> m_controls;
    CPlainBanner* m_pBanner = nullptr;
    CPlainBannerLabel* m_pBannerLabel = nullptr;
    CPlainClock* m_pClock = nullptr;
    CPlainProgress* m_pProgress = nullptr;
    QLabel* m_pTotalTime = nullptr;
    QLabel* m_pLongestTime = nullptr;
    QCheckBox* m_pFixedTotal = nullptr;
    QCheckBox* m_pAutoAlarm = nullptr;
    QCheckBox* m_pShowLast = nullptr;
    CTimePicker* m_pFixedDuration = nullptr;
    CTimePicker* m_pAlarmInterval = nullptr;
    QComboBox* m_pTrainingTypes = nullptr;
    QSlider* m_pWaveVolume = nullptr;
    QSlider* m_pMainVolume = nullptr;
    CSortedListCtrl* m_pList = nullptr;
    CIntervalListModel* m_pListModel = nullptr;
    // Laid over the whole form while measuring: its presses go to the form.
    QWidget* m_pPressSurface = nullptr;

    CMeasuringMode m_measuring;
};
