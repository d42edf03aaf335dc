#include "controls/shade_button.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Kind = ShadeButton::Kind;

void sendMouse(QWidget* widget, QEvent::Type type, QPoint position, Qt::MouseButton button = Qt::LeftButton,
               Qt::MouseButtons held = Qt::LeftButton)
{
    QMouseEvent event(type, QPointF(position), widget->mapToGlobal(QPointF(position)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void press(QWidget* widget, QPoint position)
{
    sendMouse(widget, QEvent::MouseButtonPress, position);
}

void moveHolding(QWidget* widget, QPoint position)
{
    sendMouse(widget, QEvent::MouseMove, position, Qt::NoButton, Qt::LeftButton);
}

void release(QWidget* widget, QPoint position)
{
    sendMouse(widget, QEvent::MouseButtonRelease, position, Qt::LeftButton, Qt::NoButton);
}

QRgb drawnAt(QWidget* widget, QPoint position)
{
    return widget->grab().toImage().pixel(position);
}

// Pixels of the checked mark's dark green tick inside rect.
int tickPixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            count += colour.green() - colour.red() > 60;
        }
    }
    return count;
}

TEST(ShadeButton, AClickOrSpaceChangesACheckBoxBeforeTheSlotRunsAndShowsTheCheckedMark)
{
    QWidget form;
    ShadeButton box(Kind::CheckBox, QStringLiteral("Fixed total exercise time"), &form);
    box.setGeometry(0, 0, 190, 22);
    box.setCheckMarkIcons();
    ShadeButton maximum(Kind::PushButton, QStringLiteral("Maximum"), &form);
    maximum.setGeometry(0, 30, 120, 24);
    form.show();
    EXPECT_FALSE(box.hasBorder());
    EXPECT_TRUE(maximum.hasBorder());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&box)->role(), QAccessible::CheckBox);

    QList<bool> seen;
    QObject::connect(&box, &ShadeButton::clicked, [&] { seen.append(box.isChecked()); });
    const QRect iconArea(4, 0, 16, 22);
    EXPECT_EQ(tickPixels(box.grab().toImage(), iconArea), 0);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(seen, QList<bool>{true});
    EXPECT_GT(tickPixels(box.grab().toImage(), iconArea), 5);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(seen, (QList<bool>{true, false}));
    EXPECT_EQ(tickPixels(box.grab().toImage(), iconArea), 0);
    // Space changes the check as it goes down; the click follows as it comes up.
    QTest::keyPress(&box, Qt::Key_Space);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(seen.size(), 2);
    QTest::keyRelease(&box, Qt::Key_Space);
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_EQ(seen, (QList<bool>{true, false, true, false}));
    // Disabled, a ticked box still shows its tick, greyed.
    box.setEnabled(false);
    const QImage untickedDisabled = box.grab().toImage().copy(iconArea);
    box.setChecked(true);
    EXPECT_NE(box.grab().toImage().copy(iconArea), untickedDisabled);
    box.setChecked(false);
    box.setEnabled(true);

    // A push button reports the click and keeps no check.
    QSignalSpy clicks(&maximum, &ShadeButton::clicked);
    QTest::mouseClick(&maximum, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(maximum.isChecked());

    // A radio button is checked by a click and clears the others beside it.
    ShadeButton first(Kind::RadioButton, QStringLiteral("First"), &form);
    ShadeButton second(Kind::RadioButton, QStringLiteral("Second"), &form);
    first.setGeometry(0, 60, 80, 20);
    second.setGeometry(0, 90, 80, 20);
    first.show();
    second.show();
    QTest::mouseClick(&first, Qt::LeftButton);
    QTest::mouseClick(&second, Qt::LeftButton);
    QTest::mouseClick(&second, Qt::LeftButton);
    EXPECT_FALSE(first.isChecked());
    EXPECT_TRUE(second.isChecked());
}

TEST(ShadeButton, APressFollowsThePointerAndAReleaseOffTheButtonNeitherClicksNorToggles)
{
    QWidget form;
    ShadeButton button(Kind::PushButton, QStringLiteral("Median"), &form);
    button.setGeometry(0, 0, 100, 24);
    ShadeButton box(Kind::CheckBox, QStringLiteral("Automatic udhacca alarm"), &form);
    box.setGeometry(0, 30, 160, 22);
    form.show();
    QSignalSpy clicks(&button, &ShadeButton::clicked);
    const QRgb raised = button.palette().color(QPalette::Midlight).rgb();
    const QRgb sunken = button.palette().color(QPalette::Dark).rgb();
    ASSERT_NE(raised, sunken);
    EXPECT_EQ(drawnAt(&button, {0, 0}), raised);

    press(&button, {50, 12});
    EXPECT_TRUE(button.isDown());
    EXPECT_EQ(drawnAt(&button, {0, 0}), sunken);
    moveHolding(&button, {150, 12});
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(drawnAt(&button, {0, 0}), raised);
    moveHolding(&button, {50, 12});
    EXPECT_TRUE(button.isDown());
    moveHolding(&button, {50, -5});
    release(&button, {50, -5});
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(clicks.count(), 0);

    press(&box, {80, 11});
    moveHolding(&box, {-3, 11});
    release(&box, {-3, 11});
    EXPECT_FALSE(box.isChecked());
    press(&box, {80, 11});
    release(&box, {80, 11});
    EXPECT_TRUE(box.isChecked());
}

// An active form of two push buttons, between which the focus can move.
class ShadeButtonFocusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        button.setGeometry(0, 0, 100, 24);
        other.setGeometry(0, 30, 100, 24);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QWidget form;
    ShadeButton button{Kind::PushButton, QStringLiteral("Sound test"), &form};
    ShadeButton other{Kind::PushButton, QStringLiteral("Choose sounds"), &form};
};

TEST_F(ShadeButtonFocusTest, ALossOfFocusEndsAPress)
{
    button.setFocus();
    QSignalSpy clicks(&button, &ShadeButton::clicked);

    press(&button, {50, 12});
    ASSERT_TRUE(button.isDown());
    other.setFocus();
    EXPECT_FALSE(button.isDown());
    moveHolding(&button, {60, 12});
    EXPECT_FALSE(button.isDown());
    release(&button, {60, 12});
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ShadeButtonFocusTest, TheFocusFrameLiesInsideTheEdgeWithItsSidesStartingOnePixelBelowItsTop)
{
    const QImage unfocused = button.grab().toImage();
    button.setFocus();
    const QImage focused = button.grab().toImage();
    const int inset = button.focusOffset();
    const QImage& side = button.pictures().focusVertical();
    const QImage& top = button.pictures().focusHorizontal();
    EXPECT_EQ(focused.pixel(inset, inset), unfocused.pixel(inset, inset)) << "the corner stays free";
    EXPECT_EQ(focused.pixel(inset, inset + 1), side.pixel(0, 0));
    EXPECT_EQ(focused.pixel(inset, inset + 2), side.pixel(0, 1));
    EXPECT_EQ(focused.pixel(inset + 1, inset), top.pixel(0, 0));
    EXPECT_NE(side.pixel(0, 0), side.pixel(0, 1)) << "dotted";
}

TEST(ShadeButton, TheFaceLightensUnderThePointerAndFollowsSizeAndPalette)
{
    QWidget form;
    ShadeButton button(Kind::PushButton, QString(), &form);
    button.setGeometry(0, 0, 100, 24);
    form.show();
    const QPoint inside(50, 16);
    const auto face = [&](const QImage& picture) { return picture.pixel(inside); };
    EXPECT_EQ(drawnAt(&button, inside), face(button.pictures().normal()));

    QEnterEvent enter{QPointF(inside), QPointF(inside), button.mapToGlobal(QPointF(inside))};
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.isHovered());
    EXPECT_EQ(drawnAt(&button, inside), face(button.pictures().hover()));
    EXPECT_NE(face(button.pictures().hover()), face(button.pictures().normal()));
    press(&button, inside);
    EXPECT_FALSE(button.isHovered());
    release(&button, inside);
    sendMouse(&button, QEvent::MouseMove, inside, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(button.isHovered());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.isHovered());

    button.resize(150, 30);
    EXPECT_EQ(button.pictures().size(), QSize(150, 30));
    const QRgb before = button.pictures().normal().color(128);
    QPalette dark = button.palette();
    dark.setColor(QPalette::Button, QColor(50, 50, 50));
    form.setPalette(dark);
    EXPECT_NE(button.pictures().normal().color(128), before);

    EXPECT_EQ(button.setTextColor(QColor(0, 0, 255)), dark.color(QPalette::ButtonText));
    EXPECT_EQ(button.setTextColor(QColor(255, 96, 0)), QColor(0, 0, 255));
}

TEST(ShadeButton, ADisabledButtonShowsItsTextEmbossedOnALightFaceOnly)
{
    ShadeButton button(Kind::PushButton, QStringLiteral("Il"));
    QFont font = button.font();
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    button.setFont(font);
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, QColor(236, 236, 236));
    palette.setColor(QPalette::Light, QColor(255, 255, 255));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(160, 0, 160));
    button.setPalette(palette);
    button.resize(60, 30);
    button.setEnabled(false);

    // Where the colour shows inside the edges.
    const auto pixelsOf = [&button](const QColor& colour) {
        const QImage image = button.grab().toImage();
        QSet<std::pair<int, int>> found;
        for (int y = 3; y < 27; ++y)
            for (int x = 6; x < 54; ++x)
                if (image.pixelColor(x, y) == colour)
                    found.insert({x, y});
        return found;
    };
    const QSet<std::pair<int, int>> grey = pixelsOf(button.disabledTextColor());
    ASSERT_GT(grey.size(), 10);
    QSet<std::pair<int, int>> shadow;
    for (const auto& [x, y] : grey) {
        if (!grey.contains({x + 1, y + 1}))
            shadow.insert({x + 1, y + 1});
    }
    EXPECT_EQ(pixelsOf(QColor(255, 255, 255)), shadow);

    // On a dark face a light copy would only thicken the light letters.
    palette.setColor(QPalette::Button, QColor(60, 60, 64));
    palette.setColor(QPalette::Light, QColor(110, 110, 116));
    button.setPalette(palette);
    EXPECT_GT(pixelsOf(button.disabledTextColor()).size(), 10);
    EXPECT_TRUE(pixelsOf(QColor(110, 110, 116)).isEmpty());
}

TEST_F(ShadeButtonFocusTest, EnterPressesTheFocusedPushButtonOfAFormToo)
{
    QSignalSpy pressed(&button, &ShadeButton::clicked);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(pressed.count(), 1) << "a form is no dialog, yet Enter presses its focused button";
}

TEST(ShadeButton, EnterReachesTheDialogsDefaultButtonAndAMnemonicTogglesACheckBox)
{
    QDialog dialog;
    ShadeButton ok(Kind::PushButton, QStringLiteral("OK"), &dialog);
    ok.setGeometry(0, 0, 80, 24);
    ok.setDefault(true);
    ShadeButton box(Kind::CheckBox, QStringLiteral("&Fixed total exercise time"), &dialog);
    box.setGeometry(0, 30, 190, 22);
    QSignalSpy accepted(&ok, &ShadeButton::clicked);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box.setFocus();

    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_FALSE(box.isChecked());

    QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
    for (int i = 0; i < 100 && !box.isChecked(); ++i)
        QTest::qWait(10);
    EXPECT_TRUE(box.isChecked());
}

} // namespace
