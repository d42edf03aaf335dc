#include "practice/form_accessibility.h"

#include <QWidget>

namespace {

struct ControlDescription {
    int id;
    const char* name; // the label beside the control on the form; none where the text shown is the name
    const char* description;
};

constexpr ControlDescription kDescriptions[] = {
    // The banner's own text lies on it as a label of its own.
    {1066, "State of the measuring mode", "Its colours show whether the mode is off, waiting or recording."},
    {1002, "Concentration training style", "The training type whose intervals are recorded and shown."},
    {1052, "Duration of the current meditation interval", "The running time of the current interval."},
    {1056, "Part of the fixed total exercise time passed",
     "How much of the fixed total exercise time has passed, in percent."},
    {1014, "Fixed duration", "The total exercise time after which the exercise ends by itself."},
    {1007, nullptr, "Total exercise time: the time practised since the measuring mode was switched on."},
    {1011, "Time interval for uddhacca alarm", "The time after which the automatic uddhacca alarm sounds."},
    {1054, "Volume wave files", "The volume of the sounds of this program."},
    {1061, "Main Volume", "The volume of the whole sound output."},
    {1023, "Recorded meditation intervals", "One row per recorded interval of the training type."},
    {1009, nullptr,
     "Longest uddhacca-free concentration time last measured: the longest interval of the last "
     "measurement that was not ended by uddhacca."},
};

constexpr int kMeasuringModeButtonId = 1001;
constexpr int kBannerIds[] = {1066, 1068};

} // namespace

QString measuringControlsHelp()
{
    return QStringLiteral("While measuring:\n"
                          "Left mouse button or Space: start an interval, and end it.\n"
                          "Right mouse button or Backspace: end the interval as uddhacca.\n"
                          "ESC: end the exercise; a running interval counts as cut off.");
}

void describeFormControls(QWidget& form)
{
    for (const ControlDescription& control : kDescriptions) {
        if (auto* widget = form.findChild<QWidget*>(QString::number(control.id))) {
            if (control.name && widget->accessibleName().isEmpty())
                widget->setAccessibleName(QString::fromUtf8(control.name));
            if (widget->accessibleDescription().isEmpty())
                widget->setAccessibleDescription(QString::fromUtf8(control.description));
        }
    }
    if (auto* button = form.findChild<QWidget*>(QString::number(kMeasuringModeButtonId)))
        button->setToolTip(measuringControlsHelp());
    for (int id : kBannerIds)
        if (auto* banner = form.findChild<QWidget*>(QString::number(id)))
            banner->setToolTip(measuringControlsHelp());
}
