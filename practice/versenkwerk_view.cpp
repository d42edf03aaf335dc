#include "versenkwerk_view.h"

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

#include <QApplication>
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
      m_sounds(std::move(player)),
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
    for (const char* name : CVersenkwerkDoc::kDefaultTrainingTypeNames)
        m_pTrainingTypes->addItem(QString::fromUtf8(name));
    Control(IDC_ALARM_BUTTON)->setEnabled(false);

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
    connect(m_pList, &CSortedListCtrl::DoubleClicked, this, [this] { OnListDoubleClicked(); });
}

// --- document and settings -------------------------------------------------

void CVersenkwerkView::OnDocumentUpdate(int)
{
    m_sounds.LoadEventSounds(m_document.m_settings);
    ShowSettings();
    m_pShowLast->setChecked(false);
    SelectTrainingTypeFromCombo();
    FillIntervalList();
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
}

void CVersenkwerkView::OnListDoubleClicked()
{
    m_pShowLast->setChecked(true);
    FillIntervalList();
    emit PhoneRecordDialogRequested();
}
