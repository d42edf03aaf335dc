#include "practice/form_accessibility.h"
#include "tests/practice/main_form_fixture.h"

#include <QAccessible>

namespace {

class FormAccessibilityTest : public MainFormFixture { };

} // namespace

TEST_F(FormAccessibilityTest, UnlabelledControlsAreNamedAfterTheirLabelsAndTheModeExplainsItsButtons)
{
    makeView();
    const std::pair<int, QString> named[] = {
        {1054, "Volume wave files"},
        {1061, "Main Volume"},
        {1014, "Fixed duration"},
        {1011, "Time interval for uddhacca alarm"},
        {1023, "Recorded meditation intervals"},
        {1052, "Duration of the current meditation interval"},
        {1056, "Part of the fixed total exercise time passed"},
        {1007, " 00:00:00"},
    };
    for (const auto& [id, name] : named) {
        QWidget* widget = control(id);
        ASSERT_NE(widget, nullptr) << id;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr) << id;
        EXPECT_EQ(accessible->text(QAccessible::Name), name) << id;
        EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty()) << id;
    }

    const QString help = measuringControlsHelp();
    EXPECT_TRUE(help.contains("Left mouse button: start an interval, and end it."));
    EXPECT_TRUE(help.contains("Right mouse button: end the interval as uddhacca."));
    EXPECT_TRUE(help.contains("ESC: end the exercise; a running interval counts as cut off."));
    EXPECT_EQ(control(1001)->toolTip(), help);
    EXPECT_EQ(control(1066)->toolTip(), help);
}
