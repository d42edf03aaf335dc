#include "app/recent_file_list.h"

#include "platform/profile.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(RecentFileList, KeepsFourNewestFirstWithoutDuplicates)
{
    RecentFileList list;
    for (const char* path : {"/a.con", "/b.con", "/c.con", "/d.con", "/e.con"})
        list.add(path);
    EXPECT_EQ(list.paths(), QStringList({"/e.con", "/d.con", "/c.con", "/b.con"}));
    list.add("/c.con");
    EXPECT_EQ(list.paths(), QStringList({"/c.con", "/e.con", "/d.con", "/b.con"}));
    list.remove(1);
    EXPECT_EQ(list.paths(), QStringList({"/c.con", "/d.con", "/b.con"}));
    list.remove(7);
    EXPECT_EQ(list.count(), 3);
}

TEST(RecentFileList, IsWrittenToAndReadFromTheProfile)
{
    RecentFileList written;
    for (const char* path : {"/x/one.con", "/x/two.con", "/x/three.con"})
        written.add(path);
    {
        const auto profile = openProfile();
        profile->setValue("Recent File List/File4", "/x/stale.con");
        written.writeList(*profile);
    }
    const auto profile = openProfile();
    EXPECT_EQ(profile->value("Recent File List/File1").toString(), "/x/three.con");
    EXPECT_EQ(profile->value("Recent File List/File3").toString(), "/x/one.con");
    // A shorter list leaves no old entry behind.
    EXPECT_FALSE(profile->contains("Recent File List/File4"));

    RecentFileList read;
    read.readList(*profile);
    EXPECT_EQ(read.paths(), written.paths());
}

TEST(RecentFileList, MenuTextIsNumberedShortenedAndEscaped)
{
    EXPECT_EQ(recentFileMenuText(0, "/data/a.con"), "&1 /data/a.con");
    EXPECT_EQ(recentFileMenuText(3, QDir::homePath() + "/Tom & Jerry.con"), "&4 ~/Tom && Jerry.con");
    const QString longPath = "/" + QString(100, 'x') + "/end.con";
    const QString text = recentFileMenuText(1, longPath);
    EXPECT_TRUE(text.startsWith("&2 /xxx"));
    EXPECT_TRUE(text.endsWith("/end.con"));
    EXPECT_TRUE(text.contains("..."));
    EXPECT_LT(text.size(), longPath.size());
}
