#include "records/archive.h"
#include "records/document_export.h"
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>

namespace {

// The default settings, and a second training type whose name by default holds Windows-1252 bytes, a comma and quotes.
void loadSecondTypeNamed(TrainingDocument& doc, const std::string& secondName)
{
    ByteWriter w;
    w.text("con").text("").int32(1).time(makeDuration(0, 10, 0)).int32(0).time(makeDuration(0, 5, 0));
    w.time(makeDuration(0, 0, 10)).int32(-1).int32(-1).int32(1);
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        w.text("");
    w.text(TrainingDocument::kDefaultTrainingTypeNames[0]).int32(0);
    w.text(secondName).int32(0);
    w.text(TrainingDocument::kDefaultTrainingTypeNames[2]).int32(0);
    const Bytes bytes = w.get();
    Archive ar(bytes.data(), bytes.size());
    doc.serialize(ar);
}

void fill(TrainingDocument& doc, const std::string& secondName = "Mett\xE4, \"quoted\"")
{
    doc.onNewDocument();
    loadSecondTypeNamed(doc, secondName);
    changeSettings(doc, [&](DocumentSettings& s) { s.m_trainingType = "Kanika Jhavari (Vipassana Bhavana)"; });
    changeSettings(doc, [&](DocumentSettings& s) { s.m_waveVolume = 5; });
    changeSettings(doc, [&](DocumentSettings& s) { s.m_autoUddhaccaAlarm = 1; });
    changeSettings(doc, [&](DocumentSettings& s) { s.m_timeAlarmInterval = makeDuration(1, 2, 3); });
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        changeSettings(doc, [&](DocumentSettings& s) {
            s.m_soundFiles[soundEventIndex(static_cast<SoundEvent>(i))] = "/s/" + std::to_string(i) + ".wav";
        });
    append(doc, doc.trainingTypes()[0], record().measurement(3).run(2).from(1000000000).to(1000000600));
    append(doc, doc.trainingTypes()[1], record().measurement(3).run(3).from(1000000700).to(1000000725).uddhacca());
}

} // namespace

TEST(DocumentExport, JsonHoldsSettingsAndEveryRecord)
{
    ScopedTimeZone utc("UTC");
    TrainingDocument doc;
    fill(doc);
    std::ostringstream out;
    exportJson(doc, out);
    EXPECT_EQ(out.str(),
              "{\"settings\":{\"training_type\":\"Kanika Jhavari (Vipassana Bhavana)\",\"fixed_exercise_time\":true,"
              "\"fixed_duration_s\":600,\"auto_uddhacca_alarm\":true,\"alarm_interval_s\":3723,\"filter_s\":10,"
              "\"wave_volume\":5,\"main_volume\":-1,\"time_sound\":true,\"sound_files\":[\"/s/0.wav\",\"/s/1.wav\","
              "\"/s/2.wav\",\"/s/3.wav\",\"/s/4.wav\"]},\"training_types\":["
              "{\"name\":\"Apana Jhavari (Samatha Bhavana)\",\"intervals\":[{\"start\":1000000000,\"end\":1000000600,"
              "\"start_local\":\"2001-09-09 01:46:40\",\"end_local\":\"2001-09-09 01:56:40\",\"uddhacca\":false,"
              "\"measurement\":3,\"run\":2}]},"
              "{\"name\":\"Mett\xC3\xA4, \\\"quoted\\\"\",\"intervals\":[{\"start\":1000000700,\"end\":1000000725,"
              "\"start_local\":\"2001-09-09 01:58:20\",\"end_local\":\"2001-09-09 01:58:45\",\"uddhacca\":true,"
              "\"measurement\":3,\"run\":3}]},"
              "{\"name\":\"Apana Jhavari (Metta Bhavana)\",\"intervals\":[]}]}\n");
}

TEST(DocumentExport, CsvQuotesTextsAndListsRecordsInStoredOrder)
{
    ScopedTimeZone berlin("Europe/Berlin");
    TrainingDocument doc;
    fill(doc);
    std::ostringstream out;
    exportCsv(doc, out);
    EXPECT_EQ(
        out.str(),
        "training_type,measurement,run,start,end,start_epoch,end_epoch,duration_s,uddhacca\n"
        "Apana Jhavari (Samatha Bhavana),3,2,2001-09-09 03:46:40,2001-09-09 03:56:40,1000000000,1000000600,600,0\n"
        "\"Mett\xC3\xA4, \"\"quoted\"\"\",3,3,2001-09-09 03:58:20,2001-09-09 03:58:45,1000000700,1000000725,25,1\n");

    const std::string longName(70, 'x');
    TrainingDocument longNamed;
    fill(longNamed, longName);
    std::ostringstream longOut;
    exportCsv(longNamed, longOut);
    EXPECT_NE(longOut.str().find("\n" + longName + ",3,3,2001-09-09 03:58:20,2001-09-09 03:58:45,1000000700,"),
              std::string::npos)
        << longOut.str();
}

TEST(DocumentExport, ATimeWithoutACalendarDateIsAQuestionMark)
{
    ScopedTimeZone utc("UTC");
    TrainingDocument doc;
    doc.onNewDocument();
    constexpr CalendarTime kFarPast = -4000000000000000000;
    append(doc, doc.trainingTypes()[0], record().measurement(1).run(1).from(kFarPast).to(253402041600));
    std::ostringstream out;
    exportCsv(doc, out);
    EXPECT_NE(out.str().find(",1,1,?,9999-12-29 00:00:00,-4000000000000000000,"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("-01-00"), std::string::npos);
}

TEST(DocumentExport, EveryFixtureExportsToTheSameBytesAsAlways)
{
    // Exports made by an earlier, plainer writer, one local-time conversion per time.
    ScopedTimeZone berlin("Europe/Berlin");
    const std::string fixtures[] = {
        DOCUMENT_FIXTURES "/regression-length-overflow.con",
        DOCUMENT_FIXTURES "/seed-empty-types.con",
        DOCUMENT_FIXTURES "/seed-long-prefix.con",
        DOCUMENT_FIXTURES "/seed-records.con",
        DOCUMENT_FIXTURES "/seed-short-times.con",
        DOCUMENT_FIXTURES "/seed-utf16.con",
        EXPORT_FIXTURES "/daylight-saving.con",
    };
    for (const std::string& fixture : fixtures) {
        TrainingDocument doc;
        doc.onNewDocument();
        openDocumentFile(doc, fixture);
        const std::string name = std::filesystem::path(fixture).stem().string();
        using Export = void (*)(const TrainingDocument&, std::ostream&);
        for (const auto& [suffix, write] : {std::pair<const char*, Export>{".csv", exportCsv}, {".json", exportJson}}) {
            std::ostringstream out;
            write(doc, out);
            const Bytes expected = readBytes(EXPORT_FIXTURES "/exports/" + name + suffix);
            EXPECT_EQ(out.str(), std::string(expected.begin(), expected.end())) << name << suffix;
        }
    }
}
