#include "practice/measuring_keys.h"

#include "practice/measuring_mode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

constexpr Qt::KeyboardModifiers kHeldModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool isMouseButtonKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Backspace;
}

} // namespace

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
    // The keys of other windows (a dialog opened from the menu) stay theirs.
    if (const std::optional<PhysicalKeyReader::Key> key = m_keys.read(watched, *event);
        key && key->pressed && key->window == m_form.window() && !(key->modifiers & kHeldModifiers)) {
        if (key->key == Qt::Key_Space)
            m_mode.startOrEndInterval();
        else if (key->key == Qt::Key_Backspace)
            m_mode.endIntervalAsUddhacca();
    }
    // Every delivery of the two keys in the form is the mode's, repeats included: no control sees them.
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == m_form.window() && isMouseButtonKey(key.key()) &&
           !(key.modifiers() & kHeldModifiers);
}
