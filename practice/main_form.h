#pragma once

#include "evaluation/diagram_windows.h"
#include "practice/clock.h"
#include "practice/measuring_view.h"
#include "practice/volume_panel.h"
#include "sound/event_sounds.h"

#include <QMap>
#include <QWidget>

#include <functional>
#include <memory>

class BitmapSlider;
class DocumentEditor;
class DocumentSettings;
class IntervalListModel;
class IntervalListView;
class KeyState;
class SoundPlayer;
class TimePicker;
class TrainingDocument;
class QAbstractButton;
class QComboBox;
enum class DocumentReset;

// The main form: the settings controls, the interval clock, the interval
// list, and the measuring mode in which the whole form is one large button.
// It follows the document's announcements; its own changes go through the editor.
class MainForm : public QWidget {
    Q_OBJECT
public:
    MainForm(DocumentEditor& editor, std::shared_ptr<SoundPlayer> player, VolumePanel::Volumes volumes = {},
             const Clock& clock = systemClock(), KeyState* keys = nullptr, QWidget* parent = nullptr);
    ~MainForm() override;

    QSize sizeHint() const override;

    // Once the frame holds the view: the first call sets the settings to
    // their defaults and shows them; every call reloads the sounds.
    void initialUpdate();
    // Settings and training type as the document has them.
    void showSettings();
    // The list shows the current training type's records: all of them, or
    // those of its last measurement; none while measuring.
    void fillIntervalList();
    // Ticks "Show only the last measured ..." without counting as the user's click.
    void showOnlyLastMeasurement();

    DiagramWindows& diagrams() { return m_diagrams; }
    const MeasuringMode& measuring() const { return m_measuring->mode(); }
    MeasuringMode& measuring() { return m_measuring->mode(); }
    const MeasuringState& measuringState() const { return m_measuring->state(); }
    EventSounds& eventSounds() { return m_sounds; }
    // Loads the event sounds named in the settings. Their files are read a
    // moment later, out of the way of whatever the load is part of (the
    // program's start, opening a document), and let go of; only the file of
    // a long sound stays open, to be read as it plays.
    void loadSounds(const DocumentSettings& settings);
    bool isMeasureTimerActive() const { return m_measuring->isTimerActive(); }
    bool isPointerConfined() const { return m_measuring->isPointerConfined(); }
    const QString& statusText() const { return m_measuring->statusText(); }
    // A control of the form by its id.
    QWidget* control(int id) const { return m_controls.value(id); }

public slots:
    // Command 1001: the button and F10.
    void onMeasuringModeCommand();
    // Ends a running measuring mode as ESC does, keeping the running interval as cut off.
    void endMeasuring();
    // Command 32776 "Time sound every 5 min"; the document is not marked modified.
    void onTimeSoundCommand();
    // The program lost (false) or regained (true) activation while measuring:
    // the pointer is freed, or confined again.
    void onMeasuringActivationChanged(bool activated);

signals:
    // Text for pane 0 of the main frame's status bar.
    void statusTextChanged(const QString& text);
    // The time sound was switched; a menu's check mark follows it.
    void timeSoundChanged(bool on);
    // A double click on the interval list: the phone record dialog is asked for.
    void phoneRecordDialogRequested();

private:
    void buildForm();
    void connectHandlers();
    void followDocument();
    void onDocumentReset(DocumentReset reason);
    void onSettingsChanged(const DocumentSettings& previous);
    void onPhaseChanged(MeasuringPhase previous, MeasuringPhase phase);
    void onTrainingTypeChosen();
    void selectTrainingTypeFromCombo();
    // The two options ticked as the settings have them, each with its time.
    void showOptions();
    void showTrainingTypeOfSettings();
    void setSettingsEditable(bool enable);
    void deleteSelectedIntervals();
    void onSoundTest();
    void onChooseSounds();

    DocumentEditor& m_editor;
    TrainingDocument& m_document;
    std::shared_ptr<SoundPlayer> m_player;
    EventSounds m_sounds;
    DiagramWindows m_diagrams;
    bool m_firstInitialUpdate = true;

    QMap<int, QWidget*> m_controls;
    QSize m_templateSize; // the template's size in the form's font, which never changes
    QAbstractButton* m_fixedTotal = nullptr;
    QAbstractButton* m_autoAlarm = nullptr;
    QAbstractButton* m_showLast = nullptr;
    TimePicker* m_fixedDuration = nullptr;
    TimePicker* m_alarmInterval = nullptr;
    QComboBox* m_trainingTypes = nullptr;
    IntervalListView* m_list = nullptr;
    IntervalListModel* m_listModel = nullptr;

    std::unique_ptr<MeasuringView> m_measuring;
    std::unique_ptr<VolumePanel> m_volumes;
};

// Looks up the fonts of the main window once on the calling thread. The font
// database, the fallbacks of each family and the banner's size are shared by
// all threads, so a main window built meanwhile finds them ready; only the
// font engines stay each thread's own.
void prepareMainWindowFonts();
