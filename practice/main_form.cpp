#include "practice/main_form.h"

#include "controls/bevel_progress_bar.h"
#include "controls/bitmap_slider.h"
#include "controls/form_pictures.h"
#include "controls/gradient_label.h"
#include "controls/interval_clock.h"
#include "controls/shade_button.h"
#include "evaluation/diagram_print_preview.h"
#include "platform/message_box.h"
#include "platform/pointer_confinement.h"
#include "platform/time_picker.h"
#include "practice/form_accessibility.h"
#include "practice/interval_list_model.h"
#include "practice/interval_list_view.h"
#include "practice/key_state_tracker.h"
#include "practice/main_form_template.h"
#include "practice/span_format.h"
#include "records/text_encoding.h"
#include "sound/alsa_master_volume.h"
#include "sound/alsa_sound_player.h"
#include "sound/wave_volume.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <tuple>

namespace {

constexpr int kMeasureTimerId = 100;
constexpr int kMeasureTimerPeriodMs = 200;

struct PanelLook {
    const char* text;
    QColor textColour;
    QColor left;
    QColor right;
};

// The banner label's font: 24 pixels high from the top of its accents to the
// bottom of its descenders (not 24 pixels per em), black weight, italic.
QFont bannerFont()
{
    QFont banner = templateFont();
    banner.setPixelSize(24);
    banner.setPixelSize(24 * 24 / QFontMetrics(banner).height());
    banner.setWeight(QFont::Black);
    banner.setItalic(true);
    return banner;
}

const PanelLook kPanelLooks[] = {
    {"Settings and evaluations", {255, 255, 255}, {10, 36, 106}, {163, 199, 238}},
    {"Waiting for mouse-start (left mouse button) ...", {0, 0, 0}, {255, 224, 0}, {138, 173, 216}},
    {"Recording is in progress", {240, 240, 240}, {204, 0, 102}, {138, 173, 216}},
};

// Locked while measuring, unlocked otherwise.
constexpr int kSettingsControls[] = {
    IDC_TRAINING_TYPE, IDC_WAVE_VOLUME,   IDC_MAIN_VOLUME, IDC_MAXIMUM,          IDC_AVERAGE,
    IDC_MEDIAN,        IDC_SIKKHATI,      IDC_FIXED_TOTAL, IDC_MEASURING_MODE,   IDC_AUTO_ALARM,
    IDC_SOUND_TEST,    IDC_CHOOSE_SOUNDS, IDC_SHOW_LAST,   IDC_DELETE_INTERVALS,
};

} // namespace

MainForm::MainForm(TrainingDocument& document, std::shared_ptr<SoundPlayer> player, Volumes volumes, const Clock& clock,
                   KeyState* keys, QWidget* parent)
    : QWidget(parent), m_document(document), m_player(player), m_sounds(std::move(player)), m_diagrams(document),
      m_ownKeys(keys ? nullptr : std::make_unique<KeyStateTracker>()),
      m_measuring(document, *this, clock, keys ? *keys : *m_ownKeys),
      m_waveVolume(volumes.wave ? std::move(volumes.wave) : std::make_unique<WaveVolume>()),
      m_mainVolume(volumes.main ? std::move(volumes.main) : std::make_unique<AlsaMasterVolume>())
{
    setObjectName(QStringLiteral("101"));
    setFont(templateFont());
    setAutoFillBackground(true);
    m_measureTimer.setTimerType(Qt::PreciseTimer);
    m_measureTimer.setInterval(kMeasureTimerPeriodMs);
    connect(&m_measureTimer, &QTimer::timeout, this, [this] { m_measuring.onMeasureTick(); });
    buildForm();
    describeFormControls(*this);
    connectHandlers();
    setStatusPanel(BannerLook::Settings);
    setSettingsEditable(true);
    updateTimeDisplays();
    m_document.addObserver(this);

    for (VolumeControl* volume : {m_waveVolume.get(), m_mainVolume.get()}) {
        volume->switchOn();
        connect(volume, &VolumeControl::levelChanged, this, &MainForm::onVolumeChanged);
    }
    m_savedWaveLevel = m_waveVolume->level();
    m_savedMainLevel = m_mainVolume->level();
}

MainForm::~MainForm()
{
    // Levels that nobody touched while the program ran are left as they were found.
    if (m_restoreLevels) {
        m_waveVolume->setLevel(m_savedWaveLevel);
        m_mainVolume->setLevel(m_savedMainLevel);
    }
    m_document.removeObserver(this);
    m_measureTimer.stop();
    confinePointer(false);
    closeDiagrams();
}

QSize MainForm::sizeHint() const
{
    const DialogBaseUnits units = DialogBaseUnits::fromFont(font());
    return {units.toPixelsX(kMainFormWidth), units.toPixelsY(kMainFormHeight)};
}

void MainForm::buildForm()
{
    m_controls = buildDialogControls(this, font(), mainFormTemplate(),
                                     [this](const DialogControl& control, QWidget* parent) -> QWidget* {
                                         switch (control.id) {
                                         case IDC_BANNER: return m_banner = new GradientLabel(parent);
                                         case IDC_BANNER_LABEL: {
                                             m_bannerLabel = new GradientLabel(parent);
                                             m_bannerLabel->setTransparent(true);
                                             m_bannerLabel->setWordWrap(false);
                                             m_bannerLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                                             m_bannerLabel->setFont(bannerFont());
                                             return m_bannerLabel;
                                         }
                                         case IDC_INTERVAL_CLOCK: return m_clock = new IntervalClock(parent);
                                         case IDC_PROGRESS: return m_progress = new BevelProgressBar(parent);
                                         case IDC_INTERVAL_LIST: return m_list = new IntervalListView(parent);
                                         case IDC_WAVE_VOLUME:
                                         case IDC_MAIN_VOLUME: {
                                             auto* slider = new BitmapSlider(control.id, parent);
                                             slider->setUpAsVolumeSlider();
                                             (control.id == IDC_WAVE_VOLUME ? m_waveSlider : m_mainSlider) = slider;
                                             return slider;
                                         }
                                         default: return nullptr;
                                         }
                                     });
    // The clock takes the size of its face picture, as the template's cell was drawn for it.
    m_clock->setPictures();
    m_totalTime = qobject_cast<QLabel*>(control(IDC_TOTAL_TIME));
    m_longestTime = qobject_cast<QLabel*>(control(IDC_LONGEST_TIME));
    m_fixedTotal = qobject_cast<QAbstractButton*>(control(IDC_FIXED_TOTAL));
    m_autoAlarm = qobject_cast<QAbstractButton*>(control(IDC_AUTO_ALARM));
    m_showLast = qobject_cast<QAbstractButton*>(control(IDC_SHOW_LAST));
    m_fixedDuration = qobject_cast<TimePicker*>(control(IDC_FIXED_DURATION));
    m_alarmInterval = qobject_cast<TimePicker*>(control(IDC_ALARM_INTERVAL));
    m_trainingTypes = qobject_cast<QComboBox*>(control(IDC_TRAINING_TYPE));
    for (const char* name : TrainingDocument::kDefaultTrainingTypeNames)
        m_trainingTypes->addItem(QString::fromUtf8(name));
    control(IDC_ALARM_BUTTON)->setEnabled(false);
    // The measuring-mode button stands out in orange, the diagram and alarm
    // buttons in blue; disabled buttons show embossed grey text.
    const std::pair<int, QColor> textColours[] = {{IDC_MEASURING_MODE, {255, 96, 0}}, {IDC_MAXIMUM, {0, 0, 255}},
                                                  {IDC_AVERAGE, {0, 0, 255}},         {IDC_MEDIAN, {0, 0, 255}},
                                                  {IDC_SIKKHATI, {0, 0, 255}},        {IDC_ALARM_BUTTON, {0, 0, 255}}};
    for (const auto& [id, colour] : textColours)
        qobject_cast<ShadeButton*>(control(id))->setTextColor(colour);

    m_listModel = new IntervalListModel(this);
    m_list->setIntervalModel(m_listModel);

    // A plain widget ignores presses, so they pass on to the form beneath.
    m_pressSurface = new QWidget(this);
    m_pressSurface->setObjectName(QStringLiteral("PressSurface"));
    m_pressSurface->setFocusPolicy(Qt::StrongFocus);
    m_pressSurface->hide();
}

void MainForm::connectHandlers()
{
    auto clicked = [this](int id, auto handler) {
        connect(qobject_cast<QAbstractButton*>(control(id)), &QAbstractButton::clicked, this, handler);
    };
    clicked(IDC_MEASURING_MODE, [this] { onMeasuringModeCommand(); });
    clicked(IDC_FIXED_TOTAL, [this](bool ticked) { onFixedTotalClicked(ticked); });
    clicked(IDC_AUTO_ALARM, [this](bool ticked) { onAutoAlarmClicked(ticked); });
    clicked(IDC_SHOW_LAST, [this] {
        // Not a document setting, yet the document counts as changed.
        m_document.markEdited();
        fillIntervalList();
    });
    clicked(IDC_DELETE_INTERVALS, [this] { deleteSelectedIntervals(); });
    connect(m_fixedDuration, &TimePicker::timeEdited, this,
            [this] { m_document.setFixedDuration(m_fixedDuration->calendarTime()); });
    connect(m_alarmInterval, &TimePicker::timeEdited, this,
            [this] { m_document.setAlarmInterval(m_alarmInterval->calendarTime()); });
    connect(m_trainingTypes, &QComboBox::activated, this, [this] { onTrainingTypeChosen(); });
    connect(m_list, &IntervalListView::doubleClicked, this, &MainForm::phoneRecordDialogRequested);
    // The key does what the button does, and only when the button could be pressed.
    connect(m_list, &IntervalListView::deleteKeyPressed, this, [this] {
        if (control(IDC_DELETE_INTERVALS)->isEnabled())
            deleteSelectedIntervals();
    });
    const std::pair<int, DiagramKind> diagramButtons[] = {{IDC_MAXIMUM, DiagramKind::Maximum},
                                                          {IDC_AVERAGE, DiagramKind::Average},
                                                          {IDC_MEDIAN, DiagramKind::Median},
                                                          {IDC_SIKKHATI, DiagramKind::Sikkhati}};
    for (const auto& [id, kind] : diagramButtons)
        clicked(id, [this, kind = kind] { m_diagrams.openDiagram(kind, this); });
    clicked(IDC_SOUND_TEST, [this] { onSoundTest(); });
    clicked(IDC_CHOOSE_SOUNDS, [this] { onChooseSounds(); });
    for (BitmapSlider* slider : {m_waveSlider, m_mainSlider}) {
        connect(slider, &BitmapSlider::moving, this, &MainForm::onSliderMoving);
        connect(slider, &BitmapSlider::moved, this, &MainForm::onSliderMoved);
    }
}

// --- document and settings -------------------------------------------------

void MainForm::initialUpdate()
{
    m_inInitialUpdate = true;
    documentChanged();
    if (m_firstInitialUpdate) {
        setStatusPanel(BannerLook::Settings);
        m_document.setUpDefaultSettings();
        showSettings();
    }
    m_firstInitialUpdate = false;
    m_inInitialUpdate = false;
}

void MainForm::documentChanged()
{
    m_sounds.loadEventSounds(m_document.settings());
    if (m_inInitialUpdate)
        return;
    showSettings();
    m_showLast->setChecked(false);
    selectTrainingTypeFromCombo();
    fillIntervalList();
    refreshDiagrams();
}

void MainForm::showSettings()
{
    const DocumentSettings& settings = m_document.settings();
    m_fixedDuration->setCalendarTime(settings.m_timeFixedDuration);
    m_alarmInterval->setCalendarTime(settings.m_timeAlarmInterval);
    m_autoAlarm->setChecked(settings.m_autoUddhaccaAlarm != 0);
    m_alarmInterval->setEnabled(settings.m_autoUddhaccaAlarm != 0);
    m_fixedTotal->setChecked(settings.m_fixedExerciseTime != 0);
    m_fixedDuration->setEnabled(settings.m_fixedExerciseTime != 0);
    int item = 0;
    if (!settings.m_trainingType.empty()) {
        item =
            m_trainingTypes->findText(QString::fromStdString(decodeText(settings.m_trainingType)), Qt::MatchStartsWith);
        item = std::max(item, 0);
    }
    m_trainingTypes->setCurrentIndex(item);
    applyStoredVolumes();
    selectTrainingTypeFromCombo();
    emit timeSoundChanged(isTimeSoundOn());
}

void MainForm::selectTrainingTypeFromCombo()
{
    // A document whose names differ from the items keeps its training type.
    if (const TrainingType* type = m_document.selectTrainingType(m_trainingTypes->currentText().toStdString()))
        m_measuring.m_trainingType = type;
}

void MainForm::onTrainingTypeChosen()
{
    m_showLast->setChecked(false);
    m_document.setTrainingTypeName(m_trainingTypes->currentText().toStdString());
    selectTrainingTypeFromCombo();
    fillIntervalList();
    refreshDiagrams();
}

void MainForm::onFixedTotalClicked(bool ticked)
{
    m_document.setFixedExerciseTime(ticked);
    m_fixedDuration->setEnabled(ticked);
}

void MainForm::onAutoAlarmClicked(bool ticked)
{
    m_document.setAutoUddhaccaAlarm(ticked);
    m_alarmInterval->setEnabled(ticked);
}

void MainForm::onTimeSoundCommand()
{
    m_document.setTimeSound(!isTimeSoundOn());
    emit timeSoundChanged(isTimeSoundOn());
}

// --- measuring mode ----------------------------------------------------------

void MainForm::onMeasuringModeCommand()
{
    m_measuring.toggleMeasuringMode();
}

void MainForm::endMeasuring()
{
    if (m_measuring.isActive())
        m_measuring.endExercise();
}

void MainForm::measuringActiveChanged(bool active)
{
    m_measuringState.setActive(active);
}

void MainForm::onMeasuringActivationChanged(bool activated)
{
    confinePointer(activated);
}

void MainForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_measuring.onLeftButtonDown();
    else if (event->button() == Qt::RightButton)
        m_measuring.onRightButtonDown();
    QWidget::mousePressEvent(event);
}

void MainForm::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt turns the second press of a double click into this event; while measuring
    // it is no new press, the first press already started or ended the interval.
    if (m_measuring.isActive()) {
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void MainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_pressSurface->setGeometry(rect());
}

void MainForm::updateTimeDisplays()
{
    m_totalTime->setText(QStringLiteral(" ") + QString::fromStdString(formatSpan(m_measuring.m_spanTotal)));
    m_clock->setTime(m_measuring.m_spanCurrent);
    if (m_fixedTotal->isChecked() && m_measuring.isActive())
        m_progress->setValue(m_measuring.progressPercent());
    m_longestTime->setText(QString::fromStdString(formatSpan(m_measuring.m_spanLongest)));
}

void MainForm::setStatusPanel(BannerLook state)
{
    const PanelLook& look = kPanelLooks[static_cast<std::size_t>(state)];
    m_bannerLabel->setTextColor(look.textColour);
    m_banner->setBackground(look.left, look.right, GradientLabel::Fill::Horizontal);
    m_bannerLabel->setText(QString::fromLatin1(look.text));
}

void MainForm::setStatusText(const std::string& text)
{
    m_statusText = QString::fromStdString(text);
    emit statusTextChanged(m_statusText);
}

void MainForm::confinePointer(bool on)
{
    if (on == m_cursorConfined)
        return;
    m_cursorConfined = on;
    // While measuring the press surface lies over the whole form, so it shows the pointer.
    if (on) {
        m_pressSurface->setCursor(measuringCursor());
        setCursor(measuringCursor());
        pointerConfinement().confine(this);
    } else {
        pointerConfinement().release(this);
        m_pressSurface->unsetCursor();
        unsetCursor();
    }
}

void MainForm::releaseMouseCapture()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

void MainForm::setSettingsEditable(bool enable)
{
    for (int id : kSettingsControls)
        control(id)->setEnabled(enable);
    // The alarm button only shows that F12 is live.
    control(IDC_ALARM_BUTTON)->setEnabled(!enable);
    m_clock->setLit(!enable);
    // While measuring the whole form is one button, over every control.
    m_pressSurface->setGeometry(rect());
    m_pressSurface->setVisible(!enable);
    m_pressSurface->raise();
    // Keys typed while measuring must not edit a control by accident.
    if (!enable)
        m_pressSurface->setFocus();
    if (enable) {
        m_fixedDuration->setEnabled(m_fixedTotal->isChecked());
        m_alarmInterval->setEnabled(m_autoAlarm->isChecked());
    } else {
        // A ticked option's time stays editable: it is for the next run.
        if (!m_fixedTotal->isChecked())
            m_fixedDuration->setEnabled(false);
        if (!m_autoAlarm->isChecked())
            m_alarmInterval->setEnabled(false);
    }
}

void MainForm::setProgressPos(int percent)
{
    m_progress->setValue(percent);
}

void MainForm::tickShowLastMeasurement()
{
    m_showLast->setChecked(true);
}

unsigned MainForm::startMeasureTimer()
{
    m_measureTimer.start();
    return m_measureTimer.isActive() ? kMeasureTimerId : 0;
}

void MainForm::stopMeasureTimer()
{
    m_measureTimer.stop();
}

void MainForm::setClockRunning(bool running)
{
    m_clock->setRunning(running);
}

void MainForm::playSoundEvent(SoundEvent event, PlayMode mode)
{
    m_sounds.play(event, mode);
}

bool MainForm::isFixedTotalTimeTicked() const
{
    return m_fixedTotal->isChecked();
}

bool MainForm::isAutoAlarmTicked() const
{
    return m_autoAlarm->isChecked();
}

// --- interval list -----------------------------------------------------------

void MainForm::fillIntervalList()
{
    const TrainingType* type = m_measuring.m_trainingType;
    if (m_measuring.isActive() || !type) {
        m_listModel->clear();
        return;
    }
    m_list->showGridLines(type->m_records.size() > 0);
    if (m_showLast->isChecked())
        m_listModel->fill(*type, m_document.maxMeasurementNumber());
    else
        m_listModel->fill(*type, std::nullopt);
}

void MainForm::addIntervalRow(const IntervalRecord& entry)
{
    m_listModel->addRow(entry);
}

void MainForm::deleteSelectedIntervals()
{
    const std::vector<int> rows = m_list->selectedRows();
    if (rows.empty()) {
        QApplication::beep();
        return;
    }
    if (messageBoxes().askYesNo(this, QStringLiteral("Do you really want to delete the selection?")) !=
        MessageBox::Answer::Yes)
        return;
    const TrainingType* type = m_measuring.m_trainingType;
    if (!type)
        return;
    m_listModel->deleteRows(m_document, *type, rows);
    refreshDiagrams();
}

// --- commands and dialogs ----------------------------------------------------

void MainForm::onRestoreDefaults()
{
    if (messageBoxes().askYesNo(this, QStringLiteral("Are you sure you want to restore the default settings?")) !=
        MessageBox::Answer::Yes)
        return;
    m_document.restoreDefaultSettings();
    showSettings();
    m_sounds.loadEventSounds(m_document.settings());
    fillIntervalList();
    refreshDiagrams();
    messageBoxes().showMessage(this, QStringLiteral("Default settings restored"));
}

void MainForm::onSoundTest()
{
    // Played in turn while the form stays responsive; any other sound, or the form going, ends it.
    m_sounds.playInTurn({SoundEvent::BeginInterval, SoundEvent::EndInterval, SoundEvent::EndIntervalUddhacca,
                         SoundEvent::UddhaccaAlarm, SoundEvent::EndExercise});
}

void MainForm::onChooseSounds()
{
    ::onChooseSounds(
        this, m_document, [this] { m_sounds.loadEventSounds(m_document.settings()); },
        [this](const std::string& path) {
            SoundStore listening(m_player);
            listening.playSoundById(listening.addSound(path), PlayMode::Sync);
        });
}

EntryViewHooks MainForm::makeEntryHooks()
{
    return {
        [this](const IntervalRecord& entry) { addIntervalRow(entry); },
        [this] { fillIntervalList(); },
        [this] { refreshDiagrams(); },
        [this] { m_showLast->setChecked(true); },
        [this] { return m_measuring.isActive(); },
    };
}

void MainForm::onIntervalFilterCommand()
{
    openIntervalFilter(window(), m_document);
}

void MainForm::onManualEntryCommand()
{
    openManualEntry(this, m_document, currentTrainingType(), makeEntryHooks());
}

void MainForm::onPhoneRecordEntry()
{
    openPhoneRecordEntry(this, m_document, currentTrainingType(), makeEntryHooks());
}

void MainForm::onFilePrintPreview(QPrinter& printer, int previewPages, std::function<void(int)> keepPreviewPages)
{
    static const TrainingType kNoType;
    const TrainingType* type = currentTrainingType();
    showDiagramPrintPreview(printer, previewPages, std::move(keepPreviewPages), m_printout, type ? *type : kNoType,
                            m_document.settings(), m_document.title(), window());
}

// --- volume sliders ------------------------------------------------------------

void MainForm::onSliderMoving(int id, int position)
{
    if (id == IDC_WAVE_VOLUME) {
        m_document.setWaveVolume(position);
        m_waveVolume->setLevel(VolumeControl::levelOfPosition(position));
    } else {
        m_document.setMainVolume(position);
        m_mainVolume->setLevel(VolumeControl::levelOfPosition(position));
    }
}

void MainForm::onSliderMoved(int id, int position)
{
    // A key steps the slider without a move before; a user pressing an arrow key expects the volume to follow.
    onSliderMoving(id, position);
    // A sample of the new level.
    m_sounds.play(SoundEvent::BeginInterval, PlayMode::Async);
}

void MainForm::applyStoredVolumes()
{
    // No stored position (-1) leaves the level alone and shows it.
    const std::tuple<BitmapSlider*, VolumeControl*, std::int32_t> positions[] = {
        {m_waveSlider, m_waveVolume.get(), m_document.settings().m_waveVolume},
        {m_mainSlider, m_mainVolume.get(), m_document.settings().m_mainVolume}};
    for (const auto& [slider, volume, position] : positions) {
        if (position < 0) {
            slider->setPosition(VolumeControl::positionOfLevel(volume->level()));
        } else {
            slider->setPosition(position);
            volume->setLevel(VolumeControl::levelOfPosition(position));
        }
    }
}

void MainForm::onVolumeChanged()
{
    // Both sliders follow the levels, whichever changed and by whom; a thumb in the user's hand stays there.
    for (auto [slider, volume] :
         {std::pair{m_waveSlider, m_waveVolume.get()}, std::pair{m_mainSlider, m_mainVolume.get()}})
        if (!slider->isDragging())
            slider->setPosition(VolumeControl::positionOfLevel(volume->level()));
    m_restoreLevels = false;
}

// --- diagrams -------------------------------------------------------------------

void MainForm::refreshDiagrams()
{
    m_diagrams.refreshDiagrams();
}

void MainForm::closeDiagrams()
{
    m_diagrams.closeDiagrams();
}
