#include "app/chart_registration.h"

#include "platform/component_registry.h"
#include "platform/profile.h"
#include "records/program_path.h"
#include "tests/app/test_doubles.h"
#include "tests/support/scoped_environment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A folder holding a file named like the chart component.
class ComponentFolder {
public:
    explicit ComponentFolder(const QString& source)
    {
        const QString target = path();
        if (source.isEmpty()) {
            QFile text(target);
            text.open(QIODevice::WriteOnly);
            text.write("not a library\n");
        } else {
            QFile::copy(source, target);
        }
    }
    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath("NTGraph.ocx"); }

private:
    QTemporaryDir m_dir;
};

bool registerMarkWritten()
{
    return openProfile()->value("Register/NTGraph").toInt() == 1;
}

} // namespace

TEST(ChartRegistration, SearchesProgramFolderThenCurrentFolderThenPath)
{
    const ScopedEnvironment path("PATH", "/opt/one:/opt/two");
    const QStringList folders = chartControlSearchPath();
    EXPECT_EQ(folders,
              QStringList({QString::fromStdString(programDirectory()), QDir::currentPath(), "/opt/one", "/opt/two"}));
}

TEST(ChartRegistration, ReportsEachFailureAndRegistersNothing)
{
    ScriptedMessageBoxes boxes;
    QTemporaryDir empty;
    EXPECT_FALSE(registerChartControl({empty.path()}));

    ComponentFolder corrupt({});
    EXPECT_FALSE(registerChartControl({empty.path(), corrupt.folder()}));

    ComponentFolder withoutEntry(FAKE_COMPONENT_WITHOUT_ENTRY);
    EXPECT_FALSE(registerChartControl({withoutEntry.folder()}));

    ComponentFolder failing(FAKE_COMPONENT_FAILING);
    EXPECT_FALSE(registerChartControl({failing.folder()}));

    ASSERT_EQ(boxes.m_messages.size(), 4);
    EXPECT_EQ(boxes.m_messages[0], "SearchPath(() failed");
    EXPECT_EQ(boxes.m_messages[1], "NTGraph.ocx can not be loaded..\nReason could be path is incorrect\nor. "
                                   "Component is corrupt:" +
                                       corrupt.path());
    EXPECT_EQ(boxes.m_messages[2], "NTGraph.ocx Entrypoint for function DLLRegisterServer could not be found..");
    EXPECT_EQ(boxes.m_messages[3], "NTGraph.ocx Registration Failed..");
    EXPECT_FALSE(registerMarkWritten());
    EXPECT_FALSE(isChartControlRegistered());
}

TEST(ChartRegistration, RealComponentRegistersItselfAndIsFoundAfterwards)
{
    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(isChartControlRegistered());
    QTemporaryDir empty;
    ComponentFolder component(CHART_COMPONENT_FILE);
    // The first folder that holds the file wins.
    EXPECT_TRUE(registerChartControl({empty.path(), component.folder(), "/nonexistent"}));
    EXPECT_TRUE(boxes.m_messages.isEmpty());
    EXPECT_TRUE(registerMarkWritten());
    EXPECT_TRUE(isChartControlRegistered());
    const auto profile = openProfile();
    EXPECT_EQ(profile->value("CLSID/{C9FE01C2-2746-479B-96AB-E0BE9931B018}/InprocServer32").toString(),
              component.path());
}

TEST(ChartRegistration, MachineWideProfileOfThePackageRegistersTheInstalledComponentForEveryUser)
{
    openProfile()->clear();
    ASSERT_FALSE(isChartControlRegistered());
    const QString systemFolder = qEnvironmentVariable("XDG_CONFIG_DIRS") + "/Holmvard Limited";
    ASSERT_TRUE(QDir().mkpath(systemFolder));
    const QString systemProfile = systemFolder + "/Jhavari-Training.conf";
    ASSERT_TRUE(QFile::copy(SYSTEM_PROFILE_FILE, systemProfile));

    EXPECT_TRUE(isChartControlRegistered());
    EXPECT_EQ(registeredComponentPath("{C9FE01C2-2746-479B-96AB-E0BE9931B018}"), INSTALLED_COMPONENT_FILE);
    EXPECT_TRUE(registerMarkWritten());
    QFile::remove(systemProfile);
}
