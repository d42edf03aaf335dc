#include "tests/practice/main_form_fixture.h"

#include "controls/shade_button.h"
#include "controls/text_contrast.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

// A desktop's dark colour scheme.
QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(45, 45, 48));
    palette.setColor(QPalette::WindowText, QColor(220, 220, 220));
    palette.setColor(QPalette::Button, QColor(60, 60, 64));
    palette.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    palette.setColor(QPalette::Light, QColor(110, 110, 116));
    palette.setColor(QPalette::Dark, QColor(30, 30, 32));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 150, 150));
    return palette;
}

class DarkPaletteTest : public MainFormFixture {
protected:
    void TearDown() override
    {
        MainFormFixture::TearDown();
        QApplication::setPalette(m_desktop);
    }
    const QPalette m_desktop = QApplication::palette();
};

TEST_F(DarkPaletteTest, ButtonTextsStandOutOnTheDarkFacesAndDisabledOnesStandBackFollowingTheChange)
{
    m_doc.onNewDocument();
    makeView();
    auto* diagram = control<ShadeButton>(IDC_MAXIMUM);
    EXPECT_EQ(diagram->shownTextColor(), QColor(0, 0, 255)) << "the stated blue where it reads";

    QApplication::setPalette(darkPalette());
    const QList<ShadeButton*> buttons = m_view->findChildren<ShadeButton*>();
    ASSERT_EQ(buttons.size(), 12);
    for (const ShadeButton* button : buttons) {
        const QColor face = button->pictures().faceColour();
        EXPECT_GE(contrastRatio(button->shownTextColor(), face), ShadeButton::kReadableContrast)
            << button->objectName().toStdString();
        EXPECT_LT(contrastRatio(button->disabledTextColor(), face), ShadeButton::kDisabledContrast)
            << button->objectName().toStdString();
    }
    EXPECT_EQ(diagram->shownTextColor().hslHue(), 240) << "a lighter blue";
    EXPECT_EQ(control<ShadeButton>(IDC_MEASURING_MODE)->shownTextColor().hslHue(), QColor(255, 96, 0).hslHue())
        << "a lighter orange";
    // The disabled alarm button's text is drawn in its faint grey.
    auto* alarm = control<ShadeButton>(IDC_ALARM_BUTTON);
    ASSERT_FALSE(alarm->isEnabled());
    const QImage picture = alarm->grab().toImage();
    int faint = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            faint += picture.pixelColor(x, y) == alarm->disabledTextColor();
    EXPECT_GT(faint, 10);

    QApplication::setPalette(m_desktop);
    EXPECT_EQ(diagram->shownTextColor(), QColor(0, 0, 255)) << "back with the desktop's colours";
}

} // namespace
