#include "practice/measuring_keys.h"

#include "practice/measuring_mode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

MeasuringKeys::MeasuringKeys(MeasuringMode& mode, const QWidget& form) : m_mode(mode), m_form(form)
{
    qApp->installEventFilter(this);
}

MeasuringKeys::~MeasuringKeys()
{
    qApp->removeEventFilter(this);
}

bool MeasuringKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    constexpr Qt::KeyboardModifiers kHeld =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    // The keys of other windows (a dialog opened from the menu) stay theirs.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || widget->window() != m_form.window() || (key.modifiers() & kHeld) ||
        (key.key() != Qt::Key_Space && key.key() != Qt::Key_Backspace))
        return false;
    if (key.isAutoRepeat())
        return true;
    if (key.key() == Qt::Key_Space)
        m_mode.startOrEndInterval();
    else
        m_mode.endIntervalAsUddhacca();
    return true;
}
