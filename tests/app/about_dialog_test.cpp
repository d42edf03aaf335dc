#include "app/about_dialog.h"
#include "controls/shade_button.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

TEST(AboutDlg, ShowsVersionBuildStampAndLinkAndClosesWithOk)
{
    EXPECT_EQ(aboutVersionLine("Jun 11 2019", "13:57:02"), "Version 1.2.01   Built 90611135702");

    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Info about Jhavari-Training");
    const QLabel* version = dialog.findChild<QLabel*>("1057");
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(QRegularExpression("^Version 1\\.2\\.01   Built \\d{11}$").match(version->text()).hasMatch())
        << version->text().toStdString();
    const QLabel* link = dialog.findChild<QLabel*>("1053");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->text().contains(QString("href=\"") + AboutDialog::kWebAddress + "\""));
    EXPECT_TRUE(link->text().contains("underline"));

    auto* ok = dialog.findChild<ShadeButton*>("1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    dialog.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}
