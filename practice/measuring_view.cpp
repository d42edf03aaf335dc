#include "practice/measuring_view.h"

#include "controls/bevel_progress_bar.h"
#include "controls/form_pictures.h"
#include "controls/gradient_label.h"
#include "controls/interval_clock.h"
#include "platform/message_box.h"
#include "platform/pointer_confinement.h"
#include "practice/form_accessibility.h"
#include "practice/key_state_tracker.h"
#include "practice/measuring_keys.h"
#include "practice/span_format.h"
#include "records/training_document.h"
#include "sound/event_sounds.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

namespace {

constexpr int kMeasureTimerPeriodMs = 200;

struct BannerLook {
    const char* text;
    QColor textColour;
    QColor left;
    QColor right;
};

// Indexed by MeasuringPhase.
const BannerLook kBannerLooks[] = {
    {"Settings and evaluations", {255, 255, 255}, {10, 36, 106}, {163, 199, 238}},
    {"Waiting for mouse-start (left mouse button) ...", {0, 0, 0}, {255, 224, 0}, {138, 173, 216}},
    {"Recording is in progress", {240, 240, 240}, {204, 0, 102}, {138, 173, 216}},
};

} // namespace

MeasuringView::MeasuringView(const MeasuringDisplays& displays, TrainingDocument& document, EditTarget& edits,
                             EventSounds& sounds, const Clock& clock, KeyState* keys)
    : m_displays(displays), m_document(document), m_sounds(sounds),
      m_ownKeys(keys ? nullptr : std::make_unique<KeyStateTracker>(*displays.form)),
      m_mode(document, edits, *this, clock, keys ? *keys : *m_ownKeys)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kMeasureTimerPeriodMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_mode.tick(); });

    // A plain widget ignores presses, so they pass on to the form beneath.
    m_pressSurface = new QWidget(m_displays.form);
    m_pressSurface->setObjectName(QStringLiteral("PressSurface"));
    m_pressSurface->setFocusPolicy(Qt::StrongFocus);
    m_pressSurface->setAccessibleDescription(measuringControlsHelp());
    m_pressSurface->hide();
    m_displays.form->installEventFilter(this);

    showBanner(MeasuringPhase::Off);
    timesChanged();
}

MeasuringView::~MeasuringView()
{
    m_timer.stop();
    confinePointer(false);
}

bool MeasuringView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_displays.form)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton)
            m_mode.startOrEndInterval();
        else if (press->button() == Qt::RightButton)
            m_mode.endIntervalAsUddhacca();
        return false;
    }
    case QEvent::MouseButtonDblClick:
        // Qt turns the second press of a double click into this event; while measuring
        // it is no new press, the first press already started or ended the interval.
        return m_mode.isActive();
    case QEvent::Resize: m_pressSurface->setGeometry(m_displays.form->rect()); return false;
    default: return false;
    }
}

void MeasuringView::phaseChanged(MeasuringPhase previous)
{
    const MeasuringPhase phase = m_mode.phase();
    showBanner(phase);
    if (phase == MeasuringPhase::Recording || previous == MeasuringPhase::Recording)
        m_displays.clock->setRunning(phase == MeasuringPhase::Recording);
    if (previous == MeasuringPhase::Off) {
        m_displays.progress->setValue(0);
        confinePointer(true);
        coverForm(true);
        m_measuringKeys = std::make_unique<MeasuringKeys>(m_mode, *m_displays.form);
    } else if (phase == MeasuringPhase::Off) {
        m_measuringKeys.reset();
        m_displays.progress->setValue(0);
        if (QWidget::mouseGrabber() == m_displays.form)
            m_displays.form->releaseMouse();
        confinePointer(false);
        coverForm(false);
    }
    m_state.setPhase(phase);
}

void MeasuringView::coverForm(bool cover)
{
    m_displays.clock->setLit(cover);
    m_pressSurface->setGeometry(m_displays.form->rect());
    m_pressSurface->setVisible(cover);
    m_pressSurface->raise();
    // Keys typed while measuring must not edit a control by accident.
    if (cover)
        m_pressSurface->setFocus();
}

void MeasuringView::statusChanged()
{
    const QString text = QString::fromStdString(m_mode.statusText());
    if (text != m_statusText) {
        m_statusText = text;
        emit statusTextChanged(m_statusText);
    }
}

void MeasuringView::timesChanged()
{
    const MeasuringTimes& times = m_mode.times();
    m_displays.totalTime->setText(QStringLiteral(" ") + QString::fromStdString(formatSpan(times.total)));
    m_displays.clock->setTime(times.current);
    if (m_document.settings().m_fixedExerciseTime != 0 && m_mode.isActive())
        m_displays.progress->setValue(m_mode.progressPercent());
    m_displays.longestTime->setText(QString::fromStdString(formatSpan(times.longest)));
}

void MeasuringView::showBanner(MeasuringPhase phase)
{
    const BannerLook& look = kBannerLooks[static_cast<std::size_t>(phase)];
    m_displays.bannerLabel->setTextColor(look.textColour);
    m_displays.banner->setBackground(look.left, look.right, GradientLabel::Fill::Horizontal);
    m_displays.bannerLabel->setText(QString::fromLatin1(look.text));
    // While measuring the focus rests on the press surface: a screen reader reads the phase there.
    m_pressSurface->setAccessibleName(QString::fromLatin1(look.text));
}

void MeasuringView::confinePointer(bool on)
{
    if (on == m_confined)
        return;
    m_confined = on;
    QWidget* form = m_displays.form;
    // While measuring the press surface lies over the whole form, so it shows the pointer.
    if (on) {
        m_pressSurface->setCursor(measuringCursor());
        form->setCursor(measuringCursor());
        pointerConfinement().confine(form);
    } else {
        pointerConfinement().release(form);
        m_pressSurface->unsetCursor();
        form->unsetCursor();
    }
}

void MeasuringView::playSound(SoundEvent event, PlayMode mode)
{
    m_sounds.play(event, mode);
}

bool MeasuringView::isSoundPlaying() const
{
    return m_sounds.isPlaying();
}

bool MeasuringView::startTimer()
{
    m_timer.start();
    return m_timer.isActive();
}

void MeasuringView::stopTimer()
{
    m_timer.stop();
}

void MeasuringView::refuseToStart(const std::string& message)
{
    messageBoxes().showMessage(m_displays.form, QString::fromStdString(message));
}
