#pragma once

#include "practice/measuring_mode.h"
#include "practice/measuring_state.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class BevelProgressBar;
class Clock;
class EditTarget;
class EventSounds;
class GradientLabel;
class IntervalClock;
class KeyState;
class KeyStateTracker;
class MeasuringKeys;
class TrainingDocument;
class QLabel;
class QWidget;

// The controls of the form that show the measuring mode.
struct MeasuringDisplays {
    QWidget* form = nullptr;
    GradientLabel* banner = nullptr;
    GradientLabel* bannerLabel = nullptr;
    IntervalClock* clock = nullptr;
    BevelProgressBar* progress = nullptr;
    QLabel* totalTime = nullptr;
    QLabel* longestTime = nullptr;
};

// The measuring mode inside the form: its timer, the presses on the form
// (while measuring the whole form is one button, laid over every control;
// Space and Backspace stand for its left and right mouse button), the pointer
// held in the window, the banner, the clock and the times.
class MeasuringView : public QObject, private MeasuringForm {
    Q_OBJECT
public:
    // Without a key state of its own the view follows the real keyboard.
    MeasuringView(const MeasuringDisplays& displays, TrainingDocument& document, EditTarget& edits, EventSounds& sounds,
                  const Clock& clock, KeyState* keys);
    ~MeasuringView() override;

    MeasuringMode& mode() { return m_mode; }
    const MeasuringMode& mode() const { return m_mode; }
    const MeasuringState& state() const { return m_state; }
    bool isTimerActive() const { return m_timer.isActive(); }
    bool isPointerConfined() const { return m_confined; }
    const QString& statusText() const { return m_statusText; }

    // Holds the pointer in the window (while measuring and the program is active) or frees it.
    void confinePointer(bool on);

signals:
    // Text for pane 0 of the main frame's status bar.
    void statusTextChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MeasuringForm
    void phaseChanged(MeasuringPhase previous) override;
    void timesChanged() override;
    void statusChanged() override;
    void playSound(SoundEvent event, PlayMode mode) override;
    bool isSoundPlaying() const override;
    bool startTimer() override;
    void stopTimer() override;
    void refuseToStart(const std::string& message) override;

    void showBanner(MeasuringPhase phase);
    void coverForm(bool cover);

    MeasuringDisplays m_displays;
    const TrainingDocument& m_document;
    EventSounds& m_sounds;
    std::unique_ptr<KeyStateTracker> m_ownKeys;
    MeasuringMode m_mode;
    MeasuringState m_state;
    QTimer m_timer;
    // Laid over the whole form while measuring: its presses go to the form.
    QWidget* m_pressSurface = nullptr;
    std::unique_ptr<MeasuringKeys> m_measuringKeys; // while measuring
    bool m_confined = false;
    QString m_statusText;
};
