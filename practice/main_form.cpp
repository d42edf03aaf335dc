#include "practice/main_form.h"

#include "controls/bevel_progress_bar.h"
#include "controls/bitmap_slider.h"
#include "controls/gradient_label.h"
#include "controls/interval_clock.h"
#include "controls/shade_button.h"
#include "dialogs/sound_choice_dialog.h"
#include "editing/document_editor.h"
#include "evaluation/term_explanations.h"
#include "platform/message_box.h"
#include "platform/time_picker.h"
#include "platform/wrapped_tool_tip.h"
#include "practice/form_accessibility.h"
#include "practice/interval_list_model.h"
#include "practice/interval_list_view.h"
#include "practice/main_form_template.h"
#include "records/text_encoding.h"
#include "records/training_document.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

#include <utility>

namespace {

// The banner label's font: 24 pixels high from the top of its accents to the
// bottom of its descenders (not 24 pixels per em), black weight, italic.
QFont bannerFont()
{
    // Measured at 24 pixels per em once: the font at that size serves nothing else.
    static const int pixelSize = [] {
        QFont measured = templateFont();
        measured.setPixelSize(24);
        return 24 * 24 / QFontMetrics(measured).height();
    }();
    QFont banner = templateFont();
    banner.setPixelSize(pixelSize);
    banner.setWeight(QFont::Black);
    banner.setItalic(true);
    return banner;
}

// Long enough for the program's first paint, short enough to come before
// anyone changes a sound file.
constexpr int kReadSoundFilesAfterMs = 500;

// Locked while measuring, unlocked otherwise.
constexpr int kSettingsControls[] = {
    IDC_TRAINING_TYPE, IDC_WAVE_VOLUME,   IDC_MAIN_VOLUME, IDC_MAXIMUM,          IDC_AVERAGE,
    IDC_MEDIAN,        IDC_SIKKHATI,      IDC_FIXED_TOTAL, IDC_MEASURING_MODE,   IDC_AUTO_ALARM,
    IDC_SOUND_TEST,    IDC_CHOOSE_SOUNDS, IDC_SHOW_LAST,   IDC_DELETE_INTERVALS,
};

// The drawn controls of the form; the builder makes the standard ones.
QWidget* makeFormControl(const DialogControl& control, QWidget* parent)
{
    switch (control.id) {
    case IDC_BANNER: return new GradientLabel(parent);
    case IDC_BANNER_LABEL: {
        auto* label = new GradientLabel(parent);
        label->setTransparent(true);
        label->setFont(bannerFont());
        return label;
    }
    case IDC_INTERVAL_CLOCK: return new IntervalClock(parent);
    case IDC_PROGRESS: return new BevelProgressBar(parent);
    case IDC_INTERVAL_LIST: return new IntervalListView(parent);
    case IDC_WAVE_VOLUME:
    case IDC_MAIN_VOLUME: return new BitmapSlider(control.id, parent);
    default: return nullptr;
    }
}

QString deletionName(std::size_t count)
{
    return count == 1 ? QStringLiteral("delete interval") : QStringLiteral("delete %1 intervals").arg(count);
}

} // namespace

void prepareMainWindowFonts()
{
    // The list's header measures its titles in the bold form of the form's font.
    QFont bold = templateFont();
    bold.setBold(true);
    // The frame's font, the form's, the banner's and the header's.
    for (const QFont& font : {QFont(), templateFont(), bannerFont(), bold})
        QFontMetrics(font).height();
}

MainForm::MainForm(DocumentEditor& editor, std::shared_ptr<SoundPlayer> player, VolumePanel::Volumes volumes,
                   const Clock& clock, KeyState* keys, QWidget* parent)
    : QWidget(parent), m_editor(editor), m_document(editor.document()), m_player(player), m_sounds(std::move(player)),
      m_diagrams(editor.document(), editor.notifier())
{
    setObjectName(QStringLiteral("101"));
    setFont(templateFont());
    setAutoFillBackground(true);
    buildForm();
    MeasuringDisplays displays{this};
    displays.banner = qobject_cast<GradientLabel*>(control(IDC_BANNER));
    displays.bannerLabel = qobject_cast<GradientLabel*>(control(IDC_BANNER_LABEL));
    displays.clock = qobject_cast<IntervalClock*>(control(IDC_INTERVAL_CLOCK));
    displays.progress = qobject_cast<BevelProgressBar*>(control(IDC_PROGRESS));
    displays.totalTime = qobject_cast<QLabel*>(control(IDC_TOTAL_TIME));
    displays.longestTime = qobject_cast<QLabel*>(control(IDC_LONGEST_TIME));
    m_measuring = std::make_unique<MeasuringView>(displays, m_document, m_editor, m_sounds, clock, keys);
    m_volumes =
        std::make_unique<VolumePanel>(m_editor, *qobject_cast<BitmapSlider*>(control(IDC_WAVE_VOLUME)),
                                      *qobject_cast<BitmapSlider*>(control(IDC_MAIN_VOLUME)), std::move(volumes),
                                      [this] { m_sounds.play(SoundEvent::BeginInterval, PlayMode::Async); });
    describeFormControls(*this);
    connectHandlers();
    followDocument();
    showOptions();
    setSettingsEditable(true);
}

MainForm::~MainForm() = default;

QSize MainForm::sizeHint() const
{
    return m_templateSize;
}

void MainForm::buildForm()
{
    const DialogBaseUnits units = DialogBaseUnits::fromFont(font());
    m_templateSize = QSize(units.toPixelsX(kMainFormWidth), units.toPixelsY(kMainFormHeight));
    m_controls = buildDialogControls(this, font(), mainFormTemplate(), makeFormControl);
    m_list = qobject_cast<IntervalListView*>(control(IDC_INTERVAL_LIST));
    // The clock and the sliders take the size of their pictures, as the template's cells were drawn for them.
    qobject_cast<IntervalClock*>(control(IDC_INTERVAL_CLOCK))->setPictures();
    for (int id : {IDC_WAVE_VOLUME, IDC_MAIN_VOLUME})
        qobject_cast<BitmapSlider*>(control(id))->setUpAsVolumeSlider();
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

    m_listModel = new IntervalListModel(m_document, m_editor.notifier(), this);
    m_list->setIntervalModel(m_listModel);
}

void MainForm::connectHandlers()
{
    auto clicked = [this](int id, auto handler) {
        connect(qobject_cast<QAbstractButton*>(control(id)), &QAbstractButton::clicked, this, handler);
    };
    clicked(IDC_MEASURING_MODE, [this] { onMeasuringModeCommand(); });
    clicked(IDC_FIXED_TOTAL, [this](bool ticked) {
        m_editor.changeSettings(
            [ticked](DocumentSettings& settings) { settings.m_fixedExerciseTime = ticked ? 1 : 0; });
    });
    clicked(IDC_AUTO_ALARM, [this](bool ticked) {
        m_editor.changeSettings(
            [ticked](DocumentSettings& settings) { settings.m_autoUddhaccaAlarm = ticked ? 1 : 0; });
    });
    clicked(IDC_SHOW_LAST, [this] {
        // Not a document setting, yet the document counts as changed.
        m_document.markModified();
        fillIntervalList();
    });
    clicked(IDC_DELETE_INTERVALS, [this] { deleteSelectedIntervals(); });
    connect(m_fixedDuration, &TimePicker::timeEdited, this, [this] {
        m_editor.changeSettings([time = m_fixedDuration->calendarTime()](DocumentSettings& settings) {
            settings.m_timeFixedDuration = time;
        });
    });
    connect(m_alarmInterval, &TimePicker::timeEdited, this, [this] {
        m_editor.changeSettings([time = m_alarmInterval->calendarTime()](DocumentSettings& settings) {
            settings.m_timeAlarmInterval = time;
        });
    });
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
    for (const auto& [id, kind] : diagramButtons) {
        clicked(id, [this, kind = kind] { m_diagrams.openDiagram(kind, this); });
        control(id)->setToolTip(wrappedToolTip(diagramExplanation(kind)));
    }
    clicked(IDC_SOUND_TEST, [this] { onSoundTest(); });
    clicked(IDC_CHOOSE_SOUNDS, [this] { onChooseSounds(); });
    connect(m_measuring.get(), &MeasuringView::statusTextChanged, this, &MainForm::statusTextChanged);
    connect(&m_measuring->state(), &MeasuringState::phaseChanged, this, &MainForm::onPhaseChanged);
}

void MainForm::followDocument()
{
    DocumentNotifier& notifier = m_editor.notifier();
    connect(&notifier, &DocumentNotifier::documentReset, this, &MainForm::onDocumentReset);
    connect(&notifier, &DocumentNotifier::settingsChanged, this, &MainForm::onSettingsChanged);
    connect(&notifier, &DocumentNotifier::currentTypeChanged, this, &MainForm::fillIntervalList);
}

void MainForm::initialUpdate()
{
    if (std::exchange(m_firstInitialUpdate, false)) {
        m_document.setUpDefaultSettings();
        showSettings();
    }
    loadSounds(m_document.settings());
}

void MainForm::loadSounds(const DocumentSettings& settings)
{
    m_sounds.loadEventSounds(settings);
    QTimer::singleShot(kReadSoundFilesAfterMs, this, [this] { m_sounds.manager().letGoOfSmallFiles(); });
}

void MainForm::onDocumentReset(DocumentReset)
{
    loadSounds(m_document.settings());
    showSettings();
    m_showLast->setChecked(false);
    fillIntervalList();
}

void MainForm::showSettings()
{
    const DocumentSettings& settings = m_document.settings();
    m_fixedDuration->setCalendarTime(settings.m_timeFixedDuration);
    m_alarmInterval->setCalendarTime(settings.m_timeAlarmInterval);
    showOptions();
    showTrainingTypeOfSettings();
    m_volumes->showStoredVolumes();
    emit timeSoundChanged(settings.m_timeSound != 0);
}

void MainForm::onSettingsChanged(const DocumentSettings& previous)
{
    // Only what changed is shown anew: a control the user is editing keeps its state.
    const DocumentSettings& settings = m_document.settings();
    if (settings.m_timeFixedDuration != previous.m_timeFixedDuration)
        m_fixedDuration->setCalendarTime(settings.m_timeFixedDuration);
    if (settings.m_timeAlarmInterval != previous.m_timeAlarmInterval)
        m_alarmInterval->setCalendarTime(settings.m_timeAlarmInterval);
    showOptions();
    if (settings.m_trainingType != previous.m_trainingType)
        showTrainingTypeOfSettings();
    m_volumes->followStoredVolumes(previous);
    if (settings.m_soundFiles != previous.m_soundFiles)
        loadSounds(settings);
    if (settings.m_timeSound != previous.m_timeSound)
        emit timeSoundChanged(settings.m_timeSound != 0);
}

void MainForm::showOptions()
{
    const DocumentSettings& settings = m_document.settings();
    m_fixedTotal->setChecked(settings.m_fixedExerciseTime != 0);
    m_autoAlarm->setChecked(settings.m_autoUddhaccaAlarm != 0);
    // The time of a ticked option stays editable while measuring: it is for the next run.
    m_fixedDuration->setEnabled(settings.m_fixedExerciseTime != 0);
    m_alarmInterval->setEnabled(settings.m_autoUddhaccaAlarm != 0);
}

void MainForm::showTrainingTypeOfSettings()
{
    const std::string& name = m_document.settings().m_trainingType;
    int item = 0;
    if (!name.empty())
        item = std::max(m_trainingTypes->findText(QString::fromStdString(decodeText(name)), Qt::MatchStartsWith), 0);
    m_trainingTypes->setCurrentIndex(item);
    selectTrainingTypeFromCombo();
}

void MainForm::selectTrainingTypeFromCombo()
{
    // A document whose names differ from the items keeps its training type.
    m_document.selectTrainingType(m_trainingTypes->currentText().toStdString());
}

void MainForm::onTrainingTypeChosen()
{
    m_showLast->setChecked(false);
    const int before = m_document.currentTypeIndex();
    m_editor.changeSettings([name = m_trainingTypes->currentText().toStdString()](DocumentSettings& settings) {
        settings.m_trainingType = name;
    });
    selectTrainingTypeFromCombo();
    // Another type refilled the list already; the same type shows all its records again.
    if (m_document.currentTypeIndex() == before)
        fillIntervalList();
}

void MainForm::onTimeSoundCommand()
{
    m_editor.apply(SetTimeSound{m_document.settings().m_timeSound == 0});
}

void MainForm::onMeasuringModeCommand()
{
    m_measuring->mode().toggleMeasuringMode();
}

void MainForm::endMeasuring()
{
    m_measuring->mode().endExercise();
}

void MainForm::onMeasuringActivationChanged(bool activated)
{
    m_measuring->confinePointer(activated);
}

void MainForm::onPhaseChanged(MeasuringPhase previous, MeasuringPhase phase)
{
    if (previous == MeasuringPhase::Off) {
        m_diagrams.closeDiagrams();
        showOnlyLastMeasurement();
        fillIntervalList();
        setSettingsEditable(false);
    } else if (phase == MeasuringPhase::Off) {
        setSettingsEditable(true);
        fillIntervalList();
    }
}

void MainForm::setSettingsEditable(bool enable)
{
    for (int id : kSettingsControls)
        control(id)->setEnabled(enable);
    // The alarm button only shows that F12 is live.
    control(IDC_ALARM_BUTTON)->setEnabled(!enable);
}

void MainForm::fillIntervalList()
{
    const int type = m_document.currentTypeIndex();
    if (type < 0) {
        m_listModel->clear();
        return;
    }
    if (m_measuring->mode().isActive()) {
        m_listModel->showNewRecordsOnly(type);
        return;
    }
    m_list->showGridLines(m_document.trainingType(type).m_records.size() > 0);
    if (m_showLast->isChecked())
        m_listModel->showRecords(type, m_document.maxMeasurementNumber());
    else
        m_listModel->showRecords(type, std::nullopt);
}

void MainForm::showOnlyLastMeasurement()
{
    m_showLast->setChecked(true);
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
    const int type = m_listModel->shownType();
    if (type < 0)
        return;
    std::vector<PlacedRecord> records = m_listModel->recordsOfRows(rows);
    const QString name = deletionName(records.size());
    m_editor.applyStep(RemoveRecords{type, std::move(records)}, name);
}

void MainForm::onSoundTest()
{
    // Played in turn while the form stays responsive; any other sound, or the form going, ends it.
    m_sounds.playInTurn({SoundEvent::BeginInterval, SoundEvent::EndInterval, SoundEvent::EndIntervalUddhacca,
                         SoundEvent::UddhaccaAlarm, SoundEvent::EndExercise});
}

void MainForm::onChooseSounds()
{
    // Heard while the dialog goes on: a sound may last as long as a guided
    // meditation. The next one, or closing the dialog, ends it.
    SoundChoiceDialog dialog(
        m_editor,
        [this](const std::string& path) {
            SoundStore listening(m_player);
            listening.playSoundById(listening.addSound(path), PlayMode::Async);
        },
        this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_player->stop();
    // Read again also when no path changed: a file may have been mended or replaced on disk since.
    if (accepted)
        loadSounds(m_document.settings());
}
