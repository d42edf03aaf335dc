#include "controls/shade_button.h"
#include "platform/dialog_layout.h"
#include "platform/time_picker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace {

TEST(DialogLayout, ControlsArePlacedInDialogUnitsAndNamedByTheirIds)
{
    const DialogBaseUnits units{6, 13};
    EXPECT_EQ(units.toPixels(11, 5, 634, 30), QRect(17, 8, 951, 49)); // rounded like the desktop
    EXPECT_EQ(units.toPixelsX(-3), -5);

    QWidget form;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    const DialogControl controls[] = {
        {-1, DialogControlKind::GroupBox, 0, 0, 100, 50, "Group"},
        {1013, DialogControlKind::CheckBox, 4, 8, 160, 13, "Fixed total exercise time"},
        {1002, DialogControlKind::ComboBox, 4, 30, 90, 138, ""},
        {1007, DialogControlKind::SunkenLabel, 4, 40, 52, 10, " 00:00:00"},
        {1014, DialogControlKind::TimePicker, 60, 40, 52, 15, ""},
        {1052, DialogControlKind::Custom, 16, 112, 101, 41, ""},
    };
    int customCalls = 0;
    const QMap<int, QWidget*> byId =
        buildDialogControls(&form, font, controls, [&](const DialogControl& control, QWidget* parent) {
            ++customCalls;
            EXPECT_EQ(control.id, 1052);
            return new QLabel(parent);
        });
    EXPECT_EQ(customCalls, 1);
    EXPECT_EQ(byId.size(), 5);
    const DialogBaseUnits real = DialogBaseUnits::fromFont(font);
    ASSERT_GT(real.avgCharWidth, 0);
    auto* check = form.findChild<QCheckBox*>(QStringLiteral("1013"));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check, byId.value(1013));
    EXPECT_EQ(check->text(), QStringLiteral("Fixed total exercise time"));
    EXPECT_EQ(check->geometry(), real.toPixels(4, 8, 160, 13));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("1007"))->text(), QStringLiteral(" 00:00:00"));
    ASSERT_NE(form.findChild<TimePicker*>(QStringLiteral("1014")), nullptr);
    ASSERT_NE(form.findChild<QLabel*>(QStringLiteral("1052")), nullptr);
    EXPECT_EQ(byId.value(1052)->geometry(), real.toPixels(16, 112, 101, 41));
    // The closed drop-down list keeps its own height, not that of its open list.
    auto* combo = form.findChild<QComboBox*>(QStringLiteral("1002"));
    EXPECT_LT(combo->height(), real.toPixelsY(138));
    EXPECT_NE(form.findChild<QWidget*>(QStringLiteral("-1")), nullptr);
}

TEST(DialogLayout, ButtonStylesChooseShadedOrPlainButtonsAndTheDefault)
{
    using S = DialogControlStyle;
    QWidget form;
    const DialogControl controls[] = {
        {1, DialogControlKind::PushButton, 0, 0, 50, 14, "OK", S::Shaded | S::DefaultButton},
        {1013, DialogControlKind::CheckBox, 0, 40, 100, 13, "Fixed total exercise time",
         S::Shaded | S::CheckMarks | S::TextLeft},
        {1073, DialogControlKind::CheckBox, 0, 80, 100, 10, "Show moving average (30-day-line)"},
        {1063, DialogControlKind::PushButton, 100, 120, 20, 14, "Change presentation", S::Shaded},
    };
    const QMap<int, QWidget*> byId = buildDialogControls(&form, templateFont(), controls);
    const DialogBaseUnits units = DialogBaseUnits::fromFont(templateFont());

    auto* ok = qobject_cast<ShadeButton*>(byId.value(1));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), units.toPixels(0, 0, 50, 14)) << "its text fits";
    auto* fixedTotal = qobject_cast<ShadeButton*>(byId.value(1013));
    ASSERT_NE(fixedTotal, nullptr);
    EXPECT_EQ(fixedTotal->kind(), ShadeButton::Kind::CheckBox);
    EXPECT_EQ(fixedTotal->textAlignment(), Qt::AlignLeft);
    EXPECT_NE(qobject_cast<QCheckBox*>(byId.value(1073)), nullptr) << "a check box without style stays plain";

    // A text wider than its button grows the button about its centre, so the text is shown whole.
    const QWidget* tooNarrow = byId.value(1063);
    const QRect planned = units.toPixels(100, 120, 20, 14);
    EXPECT_GE(tooNarrow->width(),
              tooNarrow->fontMetrics().horizontalAdvance(QStringLiteral("Change presentation")) + 12);
    EXPECT_LE(std::abs(tooNarrow->geometry().center().x() - planned.center().x()), 1);
    EXPECT_EQ(tooNarrow->geometry().top(), planned.top());
}

TEST(TimePicker, EditsTheTimeOfDayAndKeepsTheDate)
{
    TimePicker picker;
    int changes = 0;
    QObject::connect(&picker, &TimePicker::timeEdited, [&] { ++changes; });
    picker.setCalendarTime(makeDuration(0, 10, 0));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picker.text(), QStringLiteral("00:10:00"));
    picker.setTime(QTime(1, 2, 3));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picker.calendarTime(), makeDuration(1, 2, 3));
    EXPECT_EQ(durationSeconds(picker.calendarTime()), 3723);
}

TEST(TimePicker, AWholeTimeTypedAfterAClickSetsItWithOrWithoutColons)
{
    TimePicker picker;
    picker.show();
    QLineEdit* field = picker.findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    const auto clickAtCharacter = [field](int position) {
        const int y = field->height() / 2;
        int x = 0;
        while (x < field->width() && field->cursorPositionAt(QPoint(x, y)) < position)
            ++x;
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(x, y));
    };
    const std::tuple<int, const char*, QTime> typings[] = {
        {1, "23:30:00", QTime(23, 30, 0)},
        {1, "1:30:00", QTime(1, 30, 0)},
        {1, "074500", QTime(7, 45, 0)},
        {4, "21:15:30", QTime(21, 15, 30)}, // begun in the minutes
    };
    for (const auto& [clickedAt, typed, expected] : typings) {
        picker.setCalendarTime(makeDuration(0, 10, 0));
        clickAtCharacter(clickedAt);
        for (const char character : std::string_view(typed)) {
            // The colon comes with Shift on most keyboards.
            if (character == ':')
                QTest::keyPress(&picker, Qt::Key_Shift);
            QTest::keyClick(&picker, character, character == ':' ? Qt::ShiftModifier : Qt::NoModifier);
            if (character == ':')
                QTest::keyRelease(&picker, Qt::Key_Shift);
        }
        EXPECT_EQ(picker.time(), expected) << typed;
    }
    clickAtCharacter(4);
    QTest::keyClicks(&picker, "45");
    EXPECT_EQ(picker.time(), QTime(21, 45, 30)) << "digits in a section replace that section only";
}

} // namespace
