#include "app/export_commands.h"

#include "app/headless_commands.h"
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/app/test_doubles.h"
#include "tests/support/document_edits.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace {

QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray commandLineOutput(const char* option, const QString& documentPath)
{
    const QByteArray path = QFile::encodeName(documentPath);
    const char* argv[] = {"jhavari-training", option, path.constData()};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runHeadlessCommand(3, argv, out, err), 0) << err.str();
    return QByteArray::fromStdString(out.str());
}

} // namespace

TEST(ExportCommands, WriteTheCommandLineFormatsIntoTheChosenFiles)
{
    QTemporaryDir dir;
    TrainingDocument doc;
    doc.onNewDocument();
    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
    IntervalRecord record;
    record.m_timeStart = 1700000000;
    record.m_timeEnd = 1700000420;
    record.m_measurement = 1;
    record.m_run = 1;
    record.m_uddhacca = 1;
    append(doc, *doc.currentTrainingType(), record);
    const QString documentPath = dir.filePath("morning.con");
    saveDocumentFile(doc, QFile::encodeName(documentPath).toStdString());

    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    dialogs.m_choices = {dir.filePath("morning.csv"), dir.filePath("all.json"), {}};
    EXPECT_TRUE(exportDocumentAs(doc, ExportFormat::Csv, nullptr));
    EXPECT_EQ(dialogs.m_suggestedPath, dir.filePath("morning.csv"));
    EXPECT_EQ(dialogs.m_defaultSuffix, "csv");
    EXPECT_TRUE(exportDocumentAs(doc, ExportFormat::Json, nullptr));
    EXPECT_EQ(dialogs.m_filters, "JSON-Dateien (*.json);;Alle Dateien (*.*)");
    EXPECT_FALSE(exportDocumentAs(doc, ExportFormat::Csv, nullptr)) << "cancelled";
    EXPECT_EQ(dialogs.m_titles, QStringList({"Als CSV exportieren", "Als JSON exportieren", "Als CSV exportieren"}));

    const QByteArray csv = fileContents(dir.filePath("morning.csv"));
    EXPECT_TRUE(csv.contains(",1700000000,1700000420,420,"));
    EXPECT_EQ(csv, commandLineOutput("--export-csv", documentPath));
    EXPECT_EQ(fileContents(dir.filePath("all.json")), commandLineOutput("--export-json", documentPath));
    EXPECT_TRUE(boxes.m_messages.isEmpty());

    const QString unreachable = dir.filePath("missing/folder/x.csv");
    dialogs.m_choices = {unreachable};
    EXPECT_FALSE(exportDocumentAs(doc, ExportFormat::Csv, nullptr));
    ASSERT_EQ(boxes.m_messages.size(), 1);
    EXPECT_EQ(boxes.m_messages[0].toStdString(), (unreachable + " enthält eine falsche Pfadangabe.").toStdString())
        << "the framework's text for a save into a missing folder";
}
