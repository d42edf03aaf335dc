#include "app/about_dialog.h"
#include "controls/shade_button.h"

#include "controls/hyperlink.h"
#include "tests/app/test_doubles.h"

#include <QApplication>
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
    Hyperlink* link = dialog.findChild<Hyperlink*>("1053");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->url(), AboutDialog::kWebAddress);
    EXPECT_EQ(link->underline(), Hyperlink::Underline::Always);

    auto* ok = dialog.findChild<ShadeButton*>("1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    // Enter presses OK, although Tab reaches the link first.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

// A link the desktop cannot open is reported through the program's message boxes.
TEST(AboutDlg, ReportsALinkThatCannotBeOpened)
{
    class NoBrowser : public LinkOpener {
    public:
        void open(const QString& address, Done done) override
        {
            m_opened = address;
            done({Outcome::NoHandler, 0});
        }
        QString m_opened;
    };
    ScriptedMessageBoxes boxes;
    NoBrowser opener;
    AboutDialog dialog;
    auto* link = dialog.findChild<Hyperlink*>("1053");
    ASSERT_NE(link, nullptr);
    link->setOpener(&opener);
    dialog.show();
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, link->height() / 2));
    EXPECT_EQ(opener.m_opened, AboutDialog::kWebAddress);
    ASSERT_EQ(boxes.m_messages.size(), 1);
    EXPECT_EQ(boxes.m_messages.front(), Hyperlink::failureMessage({LinkOpener::Outcome::NoHandler, 0}));
}
