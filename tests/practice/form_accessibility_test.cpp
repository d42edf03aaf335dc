#include "practice/form_accessibility.h"
#include "tests/practice/main_form_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

namespace {

class FormAccessibilityTest : public MainFormFixture { };

// The id of the control that holds the focus, or -1.
int focusedControl()
{
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        bool isId = false;
        const int id = widget->objectName().toInt(&isId);
        if (isId)
            return id;
    }
    return -1;
}

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
        {1066, "State of the measuring mode"},
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
    EXPECT_TRUE(help.contains("Left mouse button or Space: start an interval, and end it."));
    EXPECT_TRUE(help.contains("Right mouse button or Backspace: end the interval as uddhacca."));
    EXPECT_TRUE(help.contains("ESC: end the exercise; a running interval counts as cut off."));
    EXPECT_EQ(control(1001)->toolTip(), help);
    EXPECT_EQ(control(1066)->toolTip(), help);
}

TEST_F(FormAccessibilityTest, TabVisitsEveryEnabledControlInReadingOrderAndEachTimeFieldOnce)
{
    m_doc.onNewDocument(); // the fixed total time ticked, the automatic alarm not
    makeView();
    m_view->initialUpdate();
    m_view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    control(1002)->setFocus();
    const std::vector<int> expected = {1057, 1058, 1059, 1060, 1013, 1014, 1001, 1010,
                                       1054, 1021, 1061, 1016, 1023, 1020, 1018, 1002};
    std::vector<int> visited;
    for (std::size_t step = 0; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(focusedControl());
    }
    EXPECT_EQ(visited, expected);
}
