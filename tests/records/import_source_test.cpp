#include "records/document_error.h"
#include "records/document_export.h"
#include "records/document_file.h"
#include "records/import_source.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

constexpr CalendarTime kStart = 1'780'000'000;
const std::string kCsvHeader = "training_type,measurement,run,start,end,start_epoch,end_epoch,duration_s,uddhacca\n";

void writeText(const std::string& path, const std::string& text)
{
    writeBytes(path, Bytes(text.begin(), text.end()));
}

// A document of default settings whose first training type holds the interval given as raw times.
Bytes documentWith(std::int64_t start, std::int64_t end)
{
    ByteWriter w;
    w.text("con").text("").int32(1).time(makeDuration(0, 10, 0)).int32(0).time(makeDuration(0, 5, 0));
    w.time(makeDuration(0, 0, 10)).int32(-1).int32(-1).int32(1);
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        w.text("");
    w.text(TrainingDocument::kDefaultTrainingTypeNames[0]).int32(1).entry(start, end, 0, 1, 1);
    w.text(TrainingDocument::kDefaultTrainingTypeNames[1]).int32(0);
    w.text(TrainingDocument::kDefaultTrainingTypeNames[2]).int32(0);
    return w.get();
}

DocumentError::Cause importFailure(const std::string& path, DocumentError* caught = nullptr)
{
    try {
        readImportSource(path);
    } catch (const DocumentError& error) {
        if (caught)
            *caught = error;
        return error.cause();
    }
    ADD_FAILURE() << "importing " << path << " succeeded";
    return DocumentError::Cause::Generic;
}

} // namespace

TEST(ImportSource, DocumentsAndBothExportsReadBackAsWritten)
{
    TempDir dir;
    TrainingDocument doc;
    doc.onNewDocument();
    for (int run = 1; run <= 3; ++run)
        doc.apply(AppendInterval{
            0, record().measurement(1).run(run).from(kStart + run * 700).lasting(600).uddhacca(run == 3)});
    doc.apply(AppendInterval{2, record().measurement(4).run(1).from(kStart).lasting(45)});
    const std::string con = dir.file("doc.con");
    saveDocumentFile(doc, con);
    std::ofstream csvFile(dir.file("doc.csv"), std::ios::binary);
    exportCsv(doc, csvFile);
    csvFile.close();
    std::ofstream json(dir.file("doc.json"), std::ios::binary);
    exportJson(doc, json);
    json.close();

    for (const char* name : {"doc.con", "doc.json", "doc.csv"}) {
        const ImportedTypes types = readImportSource(dir.file(name));
        // The CSV export names only the types that hold intervals.
        const bool csv = std::string(name) == "doc.csv";
        ASSERT_EQ(types.size(), csv ? 2u : 3u) << name;
        EXPECT_EQ(types[0].name, TrainingDocument::kDefaultTrainingTypeNames[0]) << name;
        EXPECT_EQ(types[0].records, std::vector<IntervalRecord>(doc.trainingType(0).m_records.begin(),
                                                                doc.trainingType(0).m_records.end()))
            << name;
        EXPECT_EQ(types[csv ? 1 : 2].name, TrainingDocument::kDefaultTrainingTypeNames[2]) << name;
        EXPECT_EQ(types[csv ? 1 : 2].records.size(), 1u) << name;
    }

    // Edited by hand: a byte order mark, CR LF line ends, quoted fields, blank lines.
    writeText(dir.file("edited.csv"), "\xEF\xBB\xBF" + kCsvHeader.substr(0, kCsvHeader.size() - 1) +
                                          "\r\n\"Walking, \"\"slow\"\"\",2,1,x,y,100,160,60,1\r\n\r\n");
    const ImportedTypes edited = readImportSource(dir.file("edited.csv"));
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].name, "Walking, \"slow\"");
    EXPECT_EQ(edited[0].records,
              std::vector<IntervalRecord>{record().measurement(2).run(1).from(100).to(160).uddhacca()});

    writeText(dir.file("empty.json"), "");
    EXPECT_TRUE(readImportSource(dir.file("empty.json")).empty());
}

TEST(ImportSource, DamagedOrHostileFilesAreRefusedWithTheProgramsMessages)
{
    TempDir dir;
    const std::string row = "A,1,1,s,e,100,160,60,0\n";
    std::string deep = "{\"settings\":";
    for (int i = 0; i < 200000; ++i)
        deep += '[';
    const std::pair<std::string, std::string> defective[] = {
        {"header.csv", "training_type,measurement,run\n"},
        {"fields.csv", kCsvHeader + "A,1,1,s,e,100,160,60\n"},
        {"quote.csv", kCsvHeader + "\"A,1,1,s,e,100,160,60,0\n"},
        {"number.csv", kCsvHeader + "A,70000,1,s,e,100,160,60,0\n"},
        {"flag.csv", kCsvHeader + "A,1,1,s,e,100,160,60,2\n"},
        {"types.csv", kCsvHeader + row + "B" + row.substr(1) + "C" + row.substr(1) + "D" + row.substr(1)},
        {"backwards.csv", kCsvHeader + "A,1,1,s,e,160,100,-60,0\n"},
        {"no_calendar.csv", kCsvHeader + "A,1,1,s,e,9000000000000000000,9000000000000000060,60,0\n"},
        {"deep.json", deep},
        {"missing.json",
         R"({"training_types":[{"name":"A","intervals":[{"start":1,"end":2,"uddhacca":false,"measurement":1}]}]})"},
        {"trailing.json", R"({"training_types":[]} x)"},
        {"escape.json", R"({"training_types":[{"name":"A\q","intervals":[]}]})"},
        {"fraction.json",
         R"({"training_types":[{"name":"A","intervals":[{"start":1.5,"end":2,"uddhacca":false,"measurement":1,"run":1}]}]})"},
    };
    for (const auto& [name, text] : defective) {
        writeText(dir.file(name), text);
        DocumentError error(DocumentError::Cause::Generic);
        EXPECT_EQ(importFailure(dir.file(name), &error), DocumentError::Cause::DefectiveContent) << name;
        EXPECT_EQ(error.preludeMessage(), "The file is defective and can not be read.") << name;
        EXPECT_EQ(error.message(), "Unerwartetes Dateiformat.") << name;
    }

    // A document file whose interval ends before it starts, or lies beyond any calendar.
    writeBytes(dir.file("backwards.con"), documentWith(kStart, kStart - 1));
    EXPECT_EQ(importFailure(dir.file("backwards.con")), DocumentError::Cause::DefectiveContent);
    writeBytes(dir.file("far.con"), documentWith(kStart, std::int64_t{1} << 62));
    EXPECT_EQ(importFailure(dir.file("far.con")), DocumentError::Cause::DefectiveContent);
    // Damaged as it would be when opened.
    Bytes cut = documentWith(kStart, kStart + 60);
    cut.resize(cut.size() - 40);
    writeBytes(dir.file("cut.con"), cut);
    EXPECT_EQ(importFailure(dir.file("cut.con")), DocumentError::Cause::CutShort);
    writeText(dir.file("notes.txt"), "meditated 20 minutes");
    DocumentError unknown(DocumentError::Cause::Generic);
    EXPECT_EQ(importFailure(dir.file("notes.txt"), &unknown), DocumentError::Cause::DefectiveMagic);
    EXPECT_EQ(unknown.message(), "Unbekannter Fehler beim Zugriff auf " + dir.file("notes.txt") + ".");

    // Only regular files are read: a FIFO would wait for a writer forever.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(importFailure(dir.file("pipe")), DocumentError::Cause::BadPath);
    EXPECT_EQ(importFailure(dir.file("absent.con")), DocumentError::Cause::FileNotFound);
}
