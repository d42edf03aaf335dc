#include "chart_registration.h"

#include "profile.h"
#include "program_path.h"
#include "test_doubles.h"

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
        const QString target = Path();
        if (source.isEmpty()) {
            QFile text(target);
            text.open(QIODevice::WriteOnly);
            text.write("not a library\n");
        } else {
            QFile::copy(source, target);
        }
    }
    QString Folder() const { return m_dir.path(); }
    QString Path() const { return m_dir.filePath("NTGraph.ocx"); }

private:
    QTemporaryDir m_dir;
};

bool RegisterMarkWritten()
{
    return OpenProfile()->value("Register/NTGraph").toInt() == 1;
}

} // namespace

TEST(ChartRegistration, SearchesProgramFolderThenCurrentFolderThenPath)
{
    InitProgramPath();
    qputenv("PATH", "/opt/one:/opt/two");
    const QStringList folders = ChartControlSearchPath();
    EXPECT_EQ(folders, QStringList({QString::fromStdString(GetProgramDirectory()), QDir::currentPath(), "/opt/one",
                                    "/opt/two"}));
}

TEST(ChartRegistration, ReportsEachFailureAndRegistersNothing)
{
    ScriptedMessageBoxes boxes;
    QTemporaryDir empty;
    EXPECT_FALSE(RegisterChartControl({empty.path()}));

    ComponentFolder corrupt({});
    EXPECT_FALSE(RegisterChartControl({empty.path(), corrupt.Folder()}));

    ComponentFolder withoutEntry(FAKE_COMPONENT_WITHOUT_ENTRY);
    EXPECT_FALSE(RegisterChartControl({withoutEntry.Folder()}));

    ComponentFolder failing(FAKE_COMPONENT_FAILING);
    EXPECT_FALSE(RegisterChartControl({failing.Folder()}));

    ASSERT_EQ(boxes.m_messages.size(), 4);
    EXPECT_EQ(boxes.m_messages[0], "SearchPath(() failed");
    EXPECT_EQ(boxes.m_messages[1], "NTGraph.ocx can not be loaded..\nReason could be path is incorrect\nor. "
                                   "Component is corrupt:" +
                                       corrupt.Path());
    EXPECT_EQ(boxes.m_messages[2], "NTGraph.ocx Entrypoint for function DLLRegisterServer could not be found..");
    EXPECT_EQ(boxes.m_messages[3], "NTGraph.ocx Registration Failed..");
    EXPECT_FALSE(RegisterMarkWritten());
    EXPECT_FALSE(IsChartControlRegistered());
}

TEST(ChartRegistration, RealComponentRegistersItselfAndIsFoundAfterwards)
{
    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(IsChartControlRegistered());
    QTemporaryDir empty;
    ComponentFolder component(CHART_COMPONENT_FILE);
    // The first folder that holds the file wins.
    EXPECT_TRUE(RegisterChartControl({empty.path(), component.Folder(), "/nonexistent"}));
    EXPECT_TRUE(boxes.m_messages.isEmpty());
    EXPECT_TRUE(RegisterMarkWritten());
    EXPECT_TRUE(IsChartControlRegistered());
    const auto profile = OpenProfile();
    EXPECT_EQ(profile->value("CLSID/{C9FE01C2-2746-479B-96AB-E0BE9931B018}/InprocServer32").toString(),
              component.Path());
}
