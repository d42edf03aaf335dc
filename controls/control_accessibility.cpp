#include "controls/control_accessibility.h"

#include "controls/bevel_progress_bar.h"
#include "controls/bevel_progress_bar_accessible.h"
#include "controls/bitmap_slider.h"
#include "controls/bitmap_slider_accessible.h"
#include "controls/gradient_label.h"
#include "controls/gradient_label_accessible.h"
#include "controls/hyperlink.h"
#include "controls/hyperlink_accessible.h"
#include "controls/interval_clock.h"
#include "controls/interval_clock_accessible.h"

#include <QAccessible>

namespace {

// Asked for each class of an object from the most derived one up.
QAccessibleInterface* makeControlAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(BitmapSlider::staticMetaObject.className()))
        return new BitmapSliderAccessible(qobject_cast<BitmapSlider*>(object));
    if (className == QLatin1String(BevelProgressBar::staticMetaObject.className()))
        return new BevelProgressBarAccessible(qobject_cast<BevelProgressBar*>(object));
    if (className == QLatin1String(IntervalClock::staticMetaObject.className()))
        return new IntervalClockAccessible(qobject_cast<IntervalClock*>(object));
    if (className == QLatin1String(Hyperlink::staticMetaObject.className()))
        return new HyperlinkAccessible(qobject_cast<Hyperlink*>(object));
    if (className == QLatin1String(GradientLabel::staticMetaObject.className()))
        return new GradientLabelAccessible(qobject_cast<GradientLabel*>(object));
    return nullptr;
}

} // namespace

void installControlAccessibility()
{
    QAccessible::installFactory(&makeControlAccessible);
}
