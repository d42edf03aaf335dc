#include "tests/practice/main_form_fixture.h"

#include "controls/shade_button.h"
#include "controls/text_contrast.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

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

    // A desktop's dark colour scheme.
    QPalette dark;
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    dark.setColor(QPalette::Light, QColor(110, 110, 116));
    dark.setColor(QPalette::Dark, QColor(30, 30, 32));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 150, 150));
    QApplication::setPalette(dark);
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
    EXPECT_EQ(control<ShadeButton>(IDC_MEASURING_MODE)->shownTextColor().hslHue(), QColor(255, 96, 0).hslHue());

    QApplication::setPalette(m_desktop);
    EXPECT_EQ(diagram->shownTextColor(), QColor(0, 0, 255)) << "back with the desktop's colours";
}

} // namespace
