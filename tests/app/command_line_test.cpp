#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, RegisterOnlyAsExactFirstArgument)
{
    EXPECT_TRUE(parseCommandLine({"jhavari-training", "-register"}).m_register);
    // Further arguments are ignored in registration mode.
    const CommandLineInfo withMore = parseCommandLine({"jhavari-training", "-register", "file.con"});
    EXPECT_TRUE(withMore.m_register);
    EXPECT_TRUE(withMore.m_fileName.isEmpty());

    for (const QStringList& arguments :
         {QStringList{"jhavari-training", "-Register"}, QStringList{"jhavari-training", "file.con", "-register"},
          QStringList{"jhavari-training", "-register "}, QStringList{"jhavari-training", "/register"}}) {
        EXPECT_FALSE(parseCommandLine(arguments).m_register) << arguments.join(' ').toStdString();
    }
}

TEST(CommandLine, FirstArgumentThatIsNoSwitchNamesTheDocument)
{
    EXPECT_TRUE(parseCommandLine({"jhavari-training"}).m_fileName.isEmpty());
    EXPECT_EQ(parseCommandLine({"jhavari-training", "/home/u/Übung.con"}).m_fileName, "/home/u/Übung.con");
    EXPECT_EQ(parseCommandLine({"jhavari-training", "-Register", "a.con", "b.con"}).m_fileName, "a.con");
    EXPECT_EQ(parseCommandLine({"jhavari-training", "a.con", "-register"}).m_fileName, "a.con");
    EXPECT_EQ(parseCommandLine({"jhavari-training", "--", "-a.con"}).m_fileName, "-a.con");
}
