#include "app/help_window.h"

#include <QTextBrowser>

#include <gtest/gtest.h>

TEST(HelpWindow, ShowsThePageShippedWithTheProgram)
{
    HelpWindow window;
    const QString text = window.browser()->toPlainText();
    EXPECT_EQ(window.browser()->documentTitle(), "Jhavari-Training Help");
    for (const char* term : {"F10", "Right mouse button", "Measurement", "Run", "Maximum", "Average", "Median",
                             "Sikkhati", "Uddhacca share", "Daily goal", ".local/share/Jhavari-Training/journal"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(term))) << term;
}
