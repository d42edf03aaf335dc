#include "versenkwerk_view.h"

#include "alsa_sound_player.h"
#include "interval_list_model.h"
#include "key_state_tracker.h"
#include "measuring_mode_flag.h"
#include "message_box.h"
#include "plain_controls.h"
#include "pointer_confinement.h"
#include "sorted_list_ctrl.h"
#include "span_format.h"
#include "text_encoding.h"
#include "time_picker.h"
#include "view_template.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>

namespace {

constexpr int kMeasureTimerId = 100;
constexpr int kMeasureTimerPeriodMs = 200;

struct PanelLook {
    const char* text;
    QColor textColour;
    QColor left;
    QColor right;
};

const PanelLook kPanelLooks[] = {
    {"Settings and evaluations", {255, 255, 255}, {10, 36, 106}, {163, 199, 238}},
    {"Waiting for mouse-start (left mouse button) ...", {0, 0, 0}, {255, 224, 0}, {138, 173, 216}},
    {"Recording is in progress", {240, 240, 240}, {204, 0, 102}, {138, 173, 216}},
};

// Locked while measuring, unlocked otherwise.
constexpr int kSettingsControls[] = {
    IDC_TRAINING_TYPE, IDC_WAVE_VOLUME, IDC_MAIN_VOLUME, IDC_MAXIMUM,      IDC_AVERAGE,
    IDC_MEDIAN,        IDC_SIKKHATI,    IDC_FIXED_TOTAL, IDC_MEASURING_MODE, IDC_AUTO_ALARM,
    IDC_SOUND_TEST,    IDC_CHOOSE_SOUNDS, IDC_SHOW_LAST, IDC_DELETE_INTERVALS,
};

} // namespace

CVersenkwerkView::CVersenkwerkView(CVersenkwerkDoc& document, std::shared_ptr<ISoundPlayer> player,
                                   const IClock& clock, const IKeyState* keys, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_pPlayer(player),
      m_sounds(std::move(player)),
      m_diagrams(document),
      m_pOwnKeys(keys ? nullptr : std::make_unique<CKeyStateTracker>()),
      m_measuring(document, *this, clock, keys ? *keys : *m_pOwnKeys)
{
    setObjectName(QStringLiteral("101"));
    setFont(TemplateFont(QStringLiteral("MS Sans Serif"), 8));
    setAutoFillBackground(true);
    m_measureTimer.setTimerType(Qt::PreciseTimer);
    m_measureTimer.setInterval(kMeasureTimerPeriodMs);
    connect(&m_measureTimer, &QTimer::timeout, this, &CVersenkwerkView::OnMeasureTick);
    BuildForm();
    ConnectHandlers();
    SetStatusPanel(PanelSettings);
    LockSettingsControls(true);
    UpdateTimeDisplays();
    m_document.AddView(this);
}

CVersenkwerkView::~CVersenkwerkView()
{
    m_document.RemoveView(this);
    m_measureTimer.stop();
    ConfinePointer(false);
    CloseDiagrams();
}

QSize CVersenkwerkView::sizeHint() const
{
    const DialogBaseUnits units = DialogBaseUnits::FromFont(font());
    return {units.ToPixelsX(kMainFormWidth), units.ToPixelsY(kMainFormHeight)};
}

void CVersenkwerkView::BuildForm()
{
    m_controls = BuildDialogControls(this, font(), MainFormTemplate(), [this](const DialogControl& control,
                                                                              QWidget* parent) -> QWidget* {
        switch (control.id) {
        case IDC_BANNER: return m_pBanner = new CPlainBanner(parent);
        case IDC_BANNER_LABEL: return m_pBannerLabel = new CPlainBannerLabel(parent);
        case IDC_INTERVAL_CLOCK: return m_pClock = new CPlainClock(parent);
        case IDC_PROGRESS: return m_pProgress = new CPlainProgress(parent);
        case IDC_INTERVAL_LIST: return m_pList = new CSortedListCtrl(parent);
        case IDC_WAVE_VOLUME:
        case IDC_MAIN_VOLUME: {
            // Range and middle position of the volume sliders; the mixer drives them.
            auto* slider = new QSlider(Qt::Horizontal, parent);
            slider->setRange(0, 20);
            slider->setValue(10);
            return slider;
        }
        default: return nullptr;
        }
    });
    m_pTotalTime = qobject_cast<QLabel*>(Control(IDC_TOTAL_TIME));
    m_pLongestTime = qobject_cast<QLabel*>(Control(IDC_LONGEST_TIME));
    m_pFixedTotal = qobject_cast<QCheckBox*>(Control(IDC_FIXED_TOTAL));
    m_pAutoAlarm = qobject_cast<QCheckBox*>(Control(IDC_AUTO_ALARM));
    m_pShowLast = qobject_cast<QCheckBox*>(Control(IDC_SHOW_LAST));
    m_pFixedDuration = qobject_cast<CTimePicker*>(Control(IDC_FIXED_DURATION));
    m_pAlarmInterval = qobject_cast<CTimePicker*>(Control(IDC_ALARM_INTERVAL));
    m_pTrainingTypes = qobject_cast<QComboBox*>(Control(IDC_TRAINING_TYPE));
    m_pWaveVolume = qobject_cast<QSlider*>(Control(IDC_WAVE_VOLUME));
    m_pMainVolume = qobject_cast<QSlider*>(Control(IDC_MAIN_VOLUME));
    for (const char* name : CVersenkwerkDoc::kDefaultTrainingTypeNames)
        m_pTrainingTypes->addItem(QString::fromUtf8(name));
    Control(IDC_ALARM_BUTTON)->setEnabled(false);
    // The measuring-mode button stands out in orange, the diagram and alarm
    // buttons in blue; disabled buttons keep the usual grey.
    const std::pair<int, QColor> textColours[] = {
        {IDC_MEASURING_MODE, {255, 96, 0}}, {IDC_MAXIMUM, {0, 0, 255}}, {IDC_AVERAGE, {0, 0, 255}},
        {IDC_MEDIAN, {0, 0, 255}},          {IDC_SIKKHATI, {0, 0, 255}}, {IDC_ALARM_BUTTON, {0, 0, 255}}};
    for (const auto& [id, colour] : textColours) {
        QPalette colours = Control(id)->palette();
        colours.setColor(QPalette::Active, QPalette::ButtonText, colour);
        colours.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
        Control(id)->setPalette(colours);
    }

    m_pListModel = new CIntervalListModel(this);
    m_pList->SetIntervalModel(m_pListModel);

    // A plain widget ignores presses, so they pass on to the form beneath.
    m_pPressSurface = new QWidget(this);
    m_pPressSurface->setObjectName(QStringLiteral("PressSurface"));
    m_pPressSurface->setFocusPolicy(Qt::StrongFocus);
    m_pPressSurface->hide();
}

void CVersenkwerkView::ConnectHandlers()
{
    auto clicked = [this](int id, auto handler) {
        connect(qobject_cast<QAbstractButton*>(Control(id)), &QAbstractButton::clicked, this, handler);
    };
    clicked(IDC_MEASURING_MODE, [this] { OnMeasuringModeCommand(); });
    clicked(IDC_FIXED_TOTAL, [this](bool ticked) { OnFixedTotalClicked(ticked); });
    clicked(IDC_AUTO_ALARM, [this](bool ticked) { OnAutoAlarmClicked(ticked); });
    clicked(IDC_SHOW_LAST, [this] {
        // Not a document setting, yet the document counts as changed.
        m_document.SetModifiedFlag();
        FillIntervalList();
    });
    clicked(IDC_DELETE_INTERVALS, [this] { DeleteSelectedIntervals(); });
    connect(m_pFixedDuration, &CTimePicker::TimeChanged, this, [this] {
        m_document.SetModifiedFlag();
        m_document.m_settings.m_timeFixedDuration = m_pFixedDuration->GetTime();
    });
    connect(m_pAlarmInterval, &CTimePicker::TimeChanged, this, [this] {
        m_document.SetModifiedFlag();
        m_document.m_settings.m_timeAlarmInterval = m_pAlarmInterval->GetTime();
    });
    connect(m_pTrainingTypes, &QComboBox::activated, this, [this] { OnTrainingTypeChosen(); });
    connect(m_pList, &CSortedListCtrl::DoubleClicked, this, &CVersenkwerkView::PhoneRecordDialogRequested);
    const std::pair<int, DiagramKind> diagramButtons[] = {
        {IDC_MAXIMUM, Maximum}, {IDC_AVERAGE, Average}, {IDC_MEDIAN, Median}, {IDC_SIKKHATI, Sikkhati}};
    for (const auto& [id, kind] : diagramButtons)
        clicked(id, [this, kind = kind] { m_diagrams.OpenDiagram(kind, this); });
    clicked(IDC_SOUND_TEST, [this] { OnSoundTest(); });
    clicked(IDC_CHOOSE_SOUNDS, [this] { OnChooseSounds(); });
    for (QSlider* slider : {m_pWaveVolume, m_pMainVolume}) {
        const int id = slider == m_pWaveVolume ? IDC_WAVE_VOLUME : IDC_MAIN_VOLUME;
        // Moves by the user only; the positions shown from the settings come with signals blocked.
        connect(slider, &QSlider::valueChanged, this, [this, id] { OnSliderMoving(id); });
        connect(slider, &QSlider::sliderReleased, this, [this] { OnSliderMoved(); });
        // A click on the channel or a key steps the slider without a drag.
        connect(slider, &QSlider::actionTriggered, this, [this, slider] {
            if (!slider->isSliderDown())
                QMetaObject::invokeMethod(this, [this] { OnSliderMoved(); }, Qt::QueuedConnection);
        });
    }
}

// --- document and settings -------------------------------------------------

void CVersenkwerkView::OnInitialUpdate()
{
    m_bInInitialUpdate = true;
    OnDocumentUpdate(0);
    if (m_bFirstInitialUpdate) {
        SetStatusPanel(PanelSettings);
        m_document.m_settings.SetDefaults();
        ShowSettings();
    }
    m_bFirstInitialUpdate = false;
    m_bInInitialUpdate = false;
}

void CVersenkwerkView::OnDocumentUpdate(int)
{
    m_sounds.LoadEventSounds(m_document.m_settings);
    if (m_bInInitialUpdate)
        return;
    ShowSettings();
    m_pShowLast->setChecked(false);
    SelectTrainingTypeFromCombo();
    FillIntervalList();
    RefreshDiagrams();
}

void CVersenkwerkView::ShowSettings()
{
    const DocSettings& settings = m_document.m_settings;
    m_pFixedDuration->SetTime(settings.m_timeFixedDuration);
    m_pAlarmInterval->SetTime(settings.m_timeAlarmInterval);
    m_pAutoAlarm->setChecked(settings.m_bAutoUddhaccaAlarm != 0);
    m_pAlarmInterval->setEnabled(settings.m_bAutoUddhaccaAlarm != 0);
    m_pFixedTotal->setChecked(settings.m_bFixedExerciseTime != 0);
    m_pFixedDuration->setEnabled(settings.m_bFixedExerciseTime != 0);
    int item = 0;
    if (!settings.m_strTrainingType.empty()) {
        item = m_pTrainingTypes->findText(QString::fromStdString(DecodeText(settings.m_strTrainingType)),
                                          Qt::MatchStartsWith);
        item = std::max(item, 0);
    }
    m_pTrainingTypes->setCurrentIndex(item);
    ApplyStoredVolumes();
    SelectTrainingTypeFromCombo();
    emit TimeSoundChanged(IsTimeSoundOn());
}

void CVersenkwerkView::SelectTrainingTypeFromCombo()
{
    // A document whose names differ from the items keeps its training type.
    if (TrainingType* type = m_document.FindTrainingType(m_pTrainingTypes->currentText().toStdString()))
        m_measuring.m_pTrainingType = type;
}

void CVersenkwerkView::OnTrainingTypeChosen()
{
    m_document.SetModifiedFlag();
    m_pShowLast->setChecked(false);
    m_document.m_settings.m_strTrainingType = m_pTrainingTypes->currentText().toStdString();
    SelectTrainingTypeFromCombo();
    FillIntervalList();
    RefreshDiagrams();
}

void CVersenkwerkView::OnFixedTotalClicked(bool ticked)
{
    m_document.SetModifiedFlag();
    m_document.m_settings.m_bFixedExerciseTime = ticked ? 1 : 0;
    m_pFixedDuration->setEnabled(ticked);
}

void CVersenkwerkView::OnAutoAlarmClicked(bool ticked)
{
    m_document.SetModifiedFlag();
    m_document.m_settings.m_bAutoUddhaccaAlarm = ticked ? 1 : 0;
    m_pAlarmInterval->setEnabled(ticked);
}

void CVersenkwerkView::OnTimeSoundCommand()
{
    DocSettings& settings = m_document.m_settings;
    settings.m_bTimeSound = settings.m_bTimeSound == 0 ? 1 : 0;
    emit TimeSoundChanged(IsTimeSoundOn());
}

// --- measuring mode ----------------------------------------------------------

void CVersenkwerkView::OnMeasuringModeCommand()
{
    ToggleMeasuringMode();
}

void CVersenkwerkView::ToggleMeasuringMode()
{
    m_measuring.ToggleMeasuringMode();
}

void CVersenkwerkView::StartInterval()
{
    m_measuring.StartInterval();
}

void CVersenkwerkView::EndInterval(bool withSound)
{
    m_measuring.EndInterval(withSound);
}

void CVersenkwerkView::OnMeasureTick()
{
    m_measuring.OnMeasureTick();
}

void CVersenkwerkView::AdvanceRunningSpans()
{
    m_measuring.AdvanceRunningSpans();
}

void CVersenkwerkView::PlayF12Alarm()
{
    m_measuring.PlayF12Alarm();
}

bool CVersenkwerkView::CheckFixedTotalTime()
{
    return m_measuring.CheckFixedTotalTime();
}

void CVersenkwerkView::CheckUddhaccaAlarm()
{
    m_measuring.CheckUddhaccaAlarm();
}

void CVersenkwerkView::CheckTimeSound()
{
    m_measuring.CheckTimeSound();
}

void CVersenkwerkView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_measuring.OnLeftButtonDown();
    else if (event->button() == Qt::RightButton)
        m_measuring.OnRightButtonDown();
    QWidget::mousePressEvent(event);
}

void CVersenkwerkView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_pPressSurface->setGeometry(rect());
}

void CVersenkwerkView::UpdateTimeDisplays()
{
    m_pTotalTime->setText(QStringLiteral(" ") + QString::fromStdString(FormatSpan(m_measuring.m_spanTotal)));
    m_pClock->SetTime(m_measuring.m_spanCurrent);
    if (m_pFixedTotal->isChecked() && g_bMeasuringMode)
        m_pProgress->SetPos(m_measuring.ProgressPercent());
    m_pLongestTime->setText(QString::fromStdString(FormatSpan(m_measuring.m_spanLongest)));
}

void CVersenkwerkView::SetStatusPanel(StatusPanelState state)
{
    if (state < PanelSettings || state > PanelRecording)
        return;
    const PanelLook& look = kPanelLooks[state - PanelSettings];
    m_pBannerLabel->SetTextColor(look.textColour);
    m_pBanner->SetBkColor(look.left, look.right);
    m_pBannerLabel->SetWindowText(QString::fromLatin1(look.text));
}

void CVersenkwerkView::ShowMeasuringStatusText()
{
    SetStatusText(m_measuring.MeasuringStatusText());
}

void CVersenkwerkView::SetStatusText(const std::string& text)
{
    m_strStatusText = QString::fromStdString(text);
    emit StatusTextChanged(m_strStatusText);
}

void CVersenkwerkView::ConfinePointer(bool on)
{
    if (on == m_bCursorConfined)
        return;
    m_bCursorConfined = on;
    if (on)
        PointerConfinement().Confine(this);
    else
        PointerConfinement().Release(this);
}

void CVersenkwerkView::ReleaseMouseCapture()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

void CVersenkwerkView::LockSettingsControls(bool enable)
{
    for (int id : kSettingsControls)
        Control(id)->setEnabled(enable);
    // The alarm button only shows that F12 is live.
    Control(IDC_ALARM_BUTTON)->setEnabled(!enable);
    m_pClock->SetLit(!enable);
    // While measuring the whole form is one button, over every control.
    m_pPressSurface->setGeometry(rect());
    m_pPressSurface->setVisible(!enable);
    m_pPressSurface->raise();
    // Keys typed while measuring must not edit a control by accident.
    if (!enable)
        m_pPressSurface->setFocus();
    if (enable) {
        m_pFixedDuration->setEnabled(m_pFixedTotal->isChecked());
        m_pAlarmInterval->setEnabled(m_pAutoAlarm->isChecked());
    } else {
        // A ticked option's time stays editable: it is for the next run.
        if (!m_pFixedTotal->isChecked())
            m_pFixedDuration->setEnabled(false);
        if (!m_pAutoAlarm->isChecked())
            m_pAlarmInterval->setEnabled(false);
    }
}

void CVersenkwerkView::SetProgressPos(int percent)
{
    m_pProgress->SetPos(percent);
}

void CVersenkwerkView::TickShowLastMeasurement()
{
    m_pShowLast->setChecked(true);
}

unsigned CVersenkwerkView::StartMeasureTimer()
{
    m_measureTimer.start();
    return m_measureTimer.isActive() ? kMeasureTimerId : 0;
}

void CVersenkwerkView::StopMeasureTimer()
{
    m_measureTimer.stop();
}

void CVersenkwerkView::SetClockRunning(bool running)
{
    m_pClock->SetRunning(running);
}

void CVersenkwerkView::PlaySoundEvent(SoundEvent event, int mode)
{
    m_sounds.Play(event, mode);
}

bool CVersenkwerkView::IsFixedTotalTimeTicked() const
{
    return m_pFixedTotal->isChecked();
}

bool CVersenkwerkView::IsAutoAlarmTicked() const
{
    return m_pAutoAlarm->isChecked();
}

// --- interval list -----------------------------------------------------------

void CVersenkwerkView::FillIntervalList()
{
    const TrainingType* type = m_measuring.m_pTrainingType;
    if (g_bMeasuringMode || !type) {
        m_pListModel->Clear();
        return;
    }
    m_pList->ShowGridLines(type->m_aEntries.GetSize() > 0);
    if (m_pShowLast->isChecked())
        m_pListModel->Fill(*type, m_document.GetMaxMeasurementNumber());
    else
        m_pListModel->Fill(*type, std::nullopt);
}

void CVersenkwerkView::AddIntervalRow(const CDataEntry& entry)
{
    m_pListModel->AddRow(entry);
}

void CVersenkwerkView::DeleteIntervalRow(int row)
{
    if (TrainingType* type = m_measuring.m_pTrainingType)
        m_pListModel->DeleteRows(*type, {row});
}

void CVersenkwerkView::DeleteSelectedIntervals()
{
    const std::vector<int> rows = m_pList->SelectedRows();
    if (rows.empty()) {
        QApplication::beep();
        return;
    }
    if (MessageBoxes().AskYesNo(this, QStringLiteral("Do you really want to delete the selection?")) !=
        IMessageBox::Answer::Yes)
        return;
    TrainingType* type = m_measuring.m_pTrainingType;
    if (!type)
        return;
    m_pListModel->DeleteRows(*type, rows);
    m_document.SetModifiedFlag();
    RefreshDiagrams();
}

// --- commands and dialogs ----------------------------------------------------

void CVersenkwerkView::OnRestoreDefaults()
{
    if (MessageBoxes().AskYesNo(this, QStringLiteral("Are you sure you want to restore the default settings?")) !=
        IMessageBox::Answer::Yes)
        return;
    m_document.SetModifiedFlag();
    m_document.m_settings.SetDefaults();
    ShowSettings();
    m_sounds.LoadEventSounds(m_document.m_settings);
    FillIntervalList();
    RefreshDiagrams();
    MessageBoxes().ShowMessage(this, QStringLiteral("Default settings restored"));
}

void CVersenkwerkView::OnSoundTest()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (SoundEvent event : {BeginIntervall, EndIntervall, EndIntervallUddhacca, UddhaccaAlarm, EndExercise})
        m_sounds.Play(event, SND_SYNC);
    QApplication::restoreOverrideCursor();
}

void CVersenkwerkView::OnChooseSounds()
{
    ::OnChooseSounds(
        this, m_document, [this] { m_sounds.LoadEventSounds(m_document.m_settings); },
        [this](const std::string& path) {
            CSoundManager listening(m_pPlayer);
            listening.PlaySoundById(listening.AddSound(path), SND_SYNC);
        });
}

EntryViewHooks CVersenkwerkView::MakeEntryHooks()
{
    return {
        [this](const CDataEntry& entry) { AddIntervalRow(entry); },
        [this] { FillIntervalList(); },
        [this] { RefreshDiagrams(); },
        [this] { m_pShowLast->setChecked(true); },
    };
}

void CVersenkwerkView::OnIntervalFilterCommand()
{
    OpenIntervalFilter(window(), m_document);
}

void CVersenkwerkView::OnManualEntryCommand()
{
    OpenManualEntry(this, m_document, CurrentTrainingType(), MakeEntryHooks());
}

void CVersenkwerkView::OnPhoneRecordEntry()
{
    OpenPhoneRecordEntry(this, m_document, CurrentTrainingType(), MakeEntryHooks());
}

void CVersenkwerkView::OnFilePrintPreview(QPrinter& printer, int& nNumPreviewPages)
{
    // The document has pages 1 to 4 for every job: a page range chosen for an
    // earlier print is not kept.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintPreviewDialog preview(&printer, window());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        static const TrainingType kNoType;
        const TrainingType* type = CurrentTrainingType();
        m_printout.Print(*target, type ? *type : kNoType, m_document.m_settings, m_document.GetTitle());
    });
    // The preview's own layout actions, so that its tool bar shows the layout too.
    auto* onePage = preview.findChild<QAction*>(QStringLiteral("singleModeAction"));
    auto* twoPages = preview.findChild<QAction*>(QStringLiteral("facingModeAction"));
    if (QAction* layout = nNumPreviewPages == 2 ? twoPages : onePage)
        layout->trigger();
    preview.exec();
    if (onePage && onePage->isChecked())
        nNumPreviewPages = 1;
    else if (twoPages && twoPages->isChecked())
        nNumPreviewPages = 2;
}

// --- volume sliders ------------------------------------------------------------

void CVersenkwerkView::OnSliderMoving(int id)
{
    m_document.SetModifiedFlag();
    if (id == IDC_WAVE_VOLUME)
        m_document.m_settings.m_nWaveVolume = m_pWaveVolume->value();
    else
        m_document.m_settings.m_nMainVolume = m_pMainVolume->value();
}

void CVersenkwerkView::OnSliderMoved()
{
    // A sample of the new level.
    m_sounds.Play(BeginIntervall, SND_ASYNC);
}

void CVersenkwerkView::ApplyStoredVolumes()
{
    // No stored position (-1) leaves the slider where it stands.
    const std::pair<QSlider*, std::int32_t> positions[] = {{m_pWaveVolume, m_document.m_settings.m_nWaveVolume},
                                                          {m_pMainVolume, m_document.m_settings.m_nMainVolume}};
    for (const auto& [slider, position] : positions) {
        if (position < 0)
            continue;
        const QSignalBlocker quiet(slider);
        slider->setValue(position);
    }
}

// --- diagrams -------------------------------------------------------------------

void CVersenkwerkView::RefreshDiagrams()
{
    m_diagrams.RefreshDiagrams();
}

void CVersenkwerkView::CloseDiagrams()
{
    m_diagrams.CloseDiagrams();
}
