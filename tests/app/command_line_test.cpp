#include "command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, RegisterOnlyAsExactFirstArgument)
{
    EXPECT_TRUE(ParseCommandLine({"jhavari-training", "-register"}).m_bRegister);
    // Further arguments are ignored in registration mode.
    const CCommandLineInfo withMore = ParseCommandLine({"jhavari-training", "-register", "file.con"});
    EXPECT_TRUE(withMore.m_bRegister);
    EXPECT_TRUE(withMore.m_strFileName.isEmpty());

    for (const QStringList& arguments : {QStringList{"jhavari-training", "-Register"},
                                         QStringList{"jhavari-training", "file.con", "-register"},
                                         QStringList{"jhavari-training", "-register "},
                                         QStringList{"jhavari-training", "/register"}}) {
        EXPECT_FALSE(ParseCommandLine(arguments).m_bRegister) << arguments.join(' ').toStdString();
    }
}

TEST(CommandLine, FirstArgumentThatIsNoSwitchNamesTheDocument)
{
    EXPECT_TRUE(ParseCommandLine({"jhavari-training"}).m_strFileName.isEmpty());
    EXPECT_EQ(ParseCommandLine({"jhavari-training", "/home/u/Übung.con"}).m_strFileName, "/home/u/Übung.con");
    EXPECT_EQ(ParseCommandLine({"jhavari-training", "-Register", "a.con", "b.con"}).m_strFileName, "a.con");
    EXPECT_EQ(ParseCommandLine({"jhavari-training", "a.con", "-register"}).m_strFileName, "a.con");
}
