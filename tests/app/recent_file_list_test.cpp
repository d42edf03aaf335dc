#include "recent_file_list.h"

#include "profile.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(RecentFileList, KeepsFourNewestFirstWithoutDuplicates)
{
    CRecentFileList list;
    for (const char* path : {"/a.con", "/b.con", "/c.con", "/d.con", "/e.con"})
        list.Add(path);
    EXPECT_EQ(list.GetPaths(), QStringList({"/e.con", "/d.con", "/c.con", "/b.con"}));
    list.Add("/c.con");
    EXPECT_EQ(list.GetPaths(), QStringList({"/c.con", "/e.con", "/d.con", "/b.con"}));
    list.Remove(1);
    EXPECT_EQ(list.GetPaths(), QStringList({"/c.con", "/d.con", "/b.con"}));
    list.Remove(7);
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(RecentFileList, IsWrittenToAndReadFromTheProfile)
{
    CRecentFileList written;
    for (const char* path : {"/x/one.con", "/x/two.con", "/x/three.con"})
        written.Add(path);
    {
        const auto profile = OpenProfile();
        profile->setValue("Recent File List/File4", "/x/stale.con");
        written.WriteList(*profile);
    }
    const auto profile = OpenProfile();
    EXPECT_EQ(profile->value("Recent File List/File1").toString(), "/x/three.con");
    EXPECT_EQ(profile->value("Recent File List/File3").toString(), "/x/one.con");
    // A shorter list leaves no old entry behind.
    EXPECT_FALSE(profile->contains("Recent File List/File4"));

    CRecentFileList read;
    read.ReadList(*profile);
    EXPECT_EQ(read.GetPaths(), written.GetPaths());
}

TEST(RecentFileList, MenuTextIsNumberedShortenedAndEscaped)
{
    EXPECT_EQ(RecentFileMenuText(0, "/data/a.con"), "&1 /data/a.con");
    EXPECT_EQ(RecentFileMenuText(3, QDir::homePath() + "/Tom & Jerry.con"), "&4 ~/Tom && Jerry.con");
    const QString longPath = "/" + QString(100, 'x') + "/end.con";
    const QString text = RecentFileMenuText(1, longPath);
    EXPECT_TRUE(text.startsWith("&2 /xxx"));
    EXPECT_TRUE(text.endsWith("/end.con"));
    EXPECT_TRUE(text.contains("..."));
    EXPECT_LT(text.size(), longPath.size());
}
