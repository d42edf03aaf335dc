#include "records/archive.h"
#include "records/training_document.h"
#include "records/document_error.h"
#include "records/program_path.h"
#include "tests/records/test_bytes.h"

#include <gtest/gtest.h>

namespace {

class RecordingView : public DocumentObserver {
public:
    void documentChanged(int hint) override { hints.push_back(hint); }
    std::vector<int> hints;
};

IntervalRecord entry(CalendarTime start, CalendarTime end, int measurement, int run, int uddhacca = 0)
{
    IntervalRecord entry;
    entry.m_timeStart = start;
    entry.m_timeEnd = end;
    entry.m_measurement = static_cast<std::uint16_t>(measurement);
    entry.m_run = static_cast<std::uint16_t>(run);
    entry.m_uddhacca = uddhacca;
    return entry;
}

Bytes store(TrainingDocument& doc)
{
    Archive ar;
    doc.serialize(ar);
    return ar.buffer();
}

void load(TrainingDocument& doc, const Bytes& bytes)
{
    Archive ar(bytes.data(), bytes.size());
    doc.serialize(ar);
}

// The bytes of the settings block as a new document with default settings stores them.
ByteWriter defaultSettingsBytes(const std::string& trainingType)
{
    ByteWriter w;
    w.text("con").text(trainingType).int32(1).time(makeDuration(0, 10, 0)).int32(0).time(makeDuration(0, 5, 0));
    w.time(makeDuration(0, 0, 10)).int32(-1).int32(-1).int32(1);
    for (const char* name : kDefaultSoundFiles)
        w.text(programFilePath(name));
    return w;
}

} // namespace

TEST(document, NewDocumentAfterMakingHasDefaultsAndNoCurrentType)
{
    initProgramPath();
    TrainingDocument doc;
    RecordingView view;
    doc.addObserver(&view);
    EXPECT_TRUE(doc.m_firstNew);
    EXPECT_TRUE(doc.onNewDocument());
    EXPECT_FALSE(doc.m_firstNew);
    EXPECT_TRUE(view.hints.empty()) << "the first new document is made before any view is set up";

    EXPECT_EQ(doc.m_trainingTypes[0].m_name, "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(doc.m_trainingTypes[1].m_name, "Kanika Jhavari (Vipassana Bhavana)");
    EXPECT_EQ(doc.m_trainingTypes[2].m_name, "Apana Jhavari (Metta Bhavana)");
    for (const TrainingType& type : doc.m_trainingTypes)
        EXPECT_EQ(type.m_records.size(), 0);
    EXPECT_EQ(doc.m_currentType, nullptr);
    EXPECT_EQ(doc.maxMeasurementNumber(), 0);

    const DocumentSettings& s = doc.m_settings;
    EXPECT_EQ(s.m_timeSound, 1);
    EXPECT_TRUE(s.m_trainingType.empty());
    EXPECT_EQ(s.m_fixedExerciseTime, 1);
    EXPECT_EQ(durationSeconds(s.m_timeFixedDuration), 600);
    EXPECT_EQ(s.m_autoUddhaccaAlarm, 0);
    EXPECT_EQ(durationSeconds(s.m_timeAlarmInterval), 300);
    EXPECT_EQ(durationSeconds(s.m_timeFilter), 10);
    EXPECT_EQ(s.m_waveVolume, -1);
    EXPECT_EQ(s.m_mainVolume, -1);
    ASSERT_FALSE(programDirectory().empty());
    EXPECT_EQ(s.m_soundFiles[soundEventIndex(SoundEvent::EndExercise)], programDirectory() + "/EndExercise.wav");
    EXPECT_EQ(s.m_soundFiles[soundEventIndex(SoundEvent::BeginInterval)], programFilePath("BeginIntervall.wav"));
    EXPECT_EQ(programFilePath(""), programDirectory());
}

TEST(document, LaterNewDocumentKeepsSettingsAndCurrentTypeAndNotifies)
{
    TrainingDocument doc;
    doc.onNewDocument();
    RecordingView view;
    doc.addObserver(&view);
    ASSERT_NE(doc.findTrainingType("Kanika Jhavari (Vipassana Bhavana)"), nullptr);
    doc.m_currentType->m_records.add(entry(100, 200, 1, 1));
    doc.m_settings.m_waveVolume = 7;
    doc.m_settings.m_soundFiles[2] = "/elsewhere/end.wav";
    doc.m_trainingTypes[0].m_name = "renamed";
    doc.setPathName("/tmp/old.con");
    doc.setModified();

    doc.onNewDocument();
    EXPECT_EQ(view.hints, std::vector<int>{0});
    EXPECT_EQ(doc.m_currentType, &doc.m_trainingTypes[1]);
    EXPECT_EQ(doc.m_currentType->m_records.size(), 0);
    EXPECT_EQ(doc.m_trainingTypes[0].m_name, "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(doc.m_settings.m_waveVolume, 7);
    EXPECT_EQ(doc.m_settings.m_soundFiles[2], "/elsewhere/end.wav");
    EXPECT_TRUE(doc.pathName().empty());
    EXPECT_FALSE(doc.isModified());

    doc.removeObserver(&view);
    doc.onNewDocument();
    EXPECT_EQ(view.hints.size(), 1u);
}

TEST(document, FindTrainingTypeMatchesWholeNamesByteForByte)
{
    TrainingDocument doc;
    doc.onNewDocument();
    EXPECT_EQ(doc.findTrainingType(""), nullptr);
    EXPECT_EQ(doc.m_currentType, nullptr);
    EXPECT_EQ(doc.findTrainingType("Apana Jhavari (Metta Bhavana)"), &doc.m_trainingTypes[2]);
    EXPECT_EQ(doc.findTrainingType("apana jhavari (samatha bhavana)"), nullptr);
    EXPECT_EQ(doc.findTrainingType("Apana Jhavari"), nullptr);
    EXPECT_EQ(doc.m_currentType, &doc.m_trainingTypes[2]) << "an unknown name keeps the current type";
    doc.m_trainingTypes[0].m_name = doc.m_trainingTypes[2].m_name;
    EXPECT_EQ(doc.findTrainingType("Apana Jhavari (Metta Bhavana)"), &doc.m_trainingTypes[0]) << "first match wins";
}

TEST(document, MeasurementNumbersAndListOperations)
{
    TrainingDocument doc;
    doc.onNewDocument();
    doc.findTrainingType("Apana Jhavari (Samatha Bhavana)");
    IntervalRecordList& list = doc.m_currentType->m_records;
    list.add(entry(10, 20, 3, 1));
    list.add(entry(30, 40, 1, 1));
    list.add(entry(50, 60, 2, 1));
    EXPECT_EQ(doc.maxMeasurementNumber(), 3);
    list.add(entry(70, 80, 65535, 1));
    EXPECT_EQ(doc.maxMeasurementNumber(), 65535) << "compared as unsigned 16-bit";

    list.removeAt(0, 1);
    list.removeAt(2, 1);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].m_measurement, 1);
    EXPECT_EQ(list[1].m_measurement, 2);
    EXPECT_EQ(list[1].length(), 10);

    EXPECT_THROW(list.at(2), std::invalid_argument);
    EXPECT_THROW(list.at(-1), std::invalid_argument);
    EXPECT_THROW(list.removeAt(1, 2), std::invalid_argument);
    EXPECT_THROW(list.removeAt(2, 1), std::invalid_argument);
    EXPECT_EQ(list.size(), 2) << "a refused removal changes nothing";
    list.removeAll();
    EXPECT_EQ(doc.maxMeasurementNumber(), 0);
}

TEST(document, NewDocumentStoresTheExactBytes)
{
    initProgramPath();
    TrainingDocument doc;
    doc.onNewDocument();
    ByteWriter expected = defaultSettingsBytes("");
    for (const char* name : TrainingDocument::kDefaultTrainingTypeNames)
        expected.text(name).int32(0);
    EXPECT_EQ(store(doc), expected.get());

    // With a current type its name is stored and copied into the settings.
    doc.findTrainingType("Kanika Jhavari (Vipassana Bhavana)");
    doc.m_currentType->m_records.add(entry(1000000000, 1000000600, 3, 2));
    ByteWriter withEntry = defaultSettingsBytes("Kanika Jhavari (Vipassana Bhavana)");
    withEntry.text("Apana Jhavari (Samatha Bhavana)").int32(0);
    withEntry.text("Kanika Jhavari (Vipassana Bhavana)").int32(1).entry(1000000000, 1000000600, 0, 3, 2);
    withEntry.text("Apana Jhavari (Metta Bhavana)").int32(0);
    EXPECT_EQ(store(doc), withEntry.get());
    EXPECT_EQ(doc.m_settings.m_trainingType, "Kanika Jhavari (Vipassana Bhavana)");
}

TEST(document, LoadReplacesSettingsAndRecordsButNotTheCurrentType)
{
    TrainingDocument source;
    source.onNewDocument();
    source.m_settings.m_timeSound = 0;
    source.m_settings.m_mainVolume = 12;
    source.m_settings.m_timeFilter = makeDuration(0, 1, 30);
    source.m_settings.m_soundFiles[4] = std::string("C:\\Kl\xE4nge\\Ende.wav");
    source.m_trainingTypes[2].m_name = "Own type";
    source.findTrainingType("Own type");
    source.m_currentType->m_records.add(entry(5, 65, 1, 1, 1));
    source.m_currentType->m_records.add(entry(70, 90, 1, 2));
    const Bytes bytes = store(source);

    TrainingDocument doc;
    doc.onNewDocument();
    doc.findTrainingType("Apana Jhavari (Samatha Bhavana)");
    doc.m_trainingTypes[0].m_records.add(entry(1, 2, 9, 9));
    RecordingView view;
    doc.addObserver(&view);
    load(doc, bytes);

    EXPECT_EQ(view.hints, std::vector<int>{0});
    EXPECT_EQ(doc.m_currentType, &doc.m_trainingTypes[0]);
    EXPECT_EQ(doc.m_trainingTypes[0].m_records.size(), 0);
    EXPECT_EQ(doc.m_trainingTypes[2].m_name, "Own type");
    ASSERT_EQ(doc.m_trainingTypes[2].m_records.size(), 2);
    EXPECT_EQ(doc.m_trainingTypes[2].m_records[0], entry(5, 65, 1, 1, 1));
    EXPECT_EQ(doc.m_settings.m_trainingType, "Own type");
    EXPECT_EQ(doc.m_settings.m_timeSound, 0);
    EXPECT_EQ(doc.m_settings.m_mainVolume, 12);
    EXPECT_EQ(durationSeconds(doc.m_settings.m_timeFilter), 90);
    EXPECT_EQ(doc.m_settings.m_soundFiles[4], source.m_settings.m_soundFiles[4]);
    EXPECT_EQ(doc.findTrainingType("Apana Jhavari (Metta Bhavana)"), nullptr);
    doc.findTrainingType("Own type");
    EXPECT_EQ(store(doc), bytes) << "texts are written back byte for byte";
}

TEST(document, NegativeCountYieldsAnEmptyTypeAndTheNextBlockFollows)
{
    ByteWriter w = defaultSettingsBytes("B");
    w.text("A").int32(-1);
    w.text("B").int32(1).entry(100, 160, 1, 4, 1);
    w.text("C").int32(0);
    w.raw({0xDE, 0xAD}); // trailing bytes are never read
    TrainingDocument doc;
    doc.onNewDocument();
    load(doc, w.get());
    EXPECT_EQ(doc.m_trainingTypes[0].m_name, "A");
    EXPECT_EQ(doc.m_trainingTypes[0].m_records.size(), 0);
    ASSERT_EQ(doc.m_trainingTypes[1].m_records.size(), 1);
    EXPECT_EQ(doc.m_trainingTypes[1].m_records[0], entry(100, 160, 4, 1, 1));
    EXPECT_EQ(doc.m_trainingTypes[2].m_name, "C");
}

TEST(document, MagicIsComparedCaseSensitively)
{
    ByteWriter w;
    w.raw({0x03, 'C', 'O', 'N'});
    TrainingDocument doc;
    doc.onNewDocument();
    doc.m_settings.m_waveVolume = 4;
    try {
        load(doc, w.get());
        FAIL() << "a capitalised magic was accepted";
    } catch (const DocumentError& error) {
        EXPECT_EQ(error.cause(), DocumentError::Cause::DefectiveMagic);
        EXPECT_EQ(error.preludeMessage(), "The file is defective and can not be read.");
    }
    EXPECT_EQ(doc.m_settings.m_waveVolume, 4) << "nothing after the magic is read";
}

TEST(document, HugeCountsFailAsCutShortWithoutAllocating)
{
    ByteWriter w = defaultSettingsBytes("");
    w.text("A").int32(0x7FFFFFFF).entry(1, 2, 0, 1, 1);
    TrainingDocument doc;
    doc.onNewDocument();
    try {
        load(doc, w.get());
        FAIL() << "a count beyond the file was accepted";
    } catch (const DocumentError& error) {
        EXPECT_EQ(error.cause(), DocumentError::Cause::CutShort);
        EXPECT_EQ(error.message(), "Unerwartetes Dateiformat.");
    }
    EXPECT_EQ(doc.m_trainingTypes[0].m_records.size(), 0);
}

TEST(document, DamagedFilesNeverCrashTheReader)
{
    TrainingDocument source;
    source.onNewDocument();
    source.findTrainingType("Apana Jhavari (Samatha Bhavana)");
    for (int i = 1; i <= 6; ++i)
        source.m_currentType->m_records.add(entry(i * 100, i * 100 + 50, 1 + i / 3, i));
    const Bytes original = store(source);

    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = original;
        for (int flips = 1 + static_cast<int>(next() % 4); flips > 0; --flips)
            damaged[next() % damaged.size()] = static_cast<std::uint8_t>(next());
        TrainingDocument doc;
        doc.onNewDocument();
        try {
            load(doc, damaged);
            ++accepted;
        } catch (const DocumentError& error) {
            EXPECT_NE(error.message(), "");
        }
        std::size_t records = 0;
        for (const TrainingType& type : doc.m_trainingTypes)
            records += static_cast<std::size_t>(type.m_records.size());
        EXPECT_LE(records * 16, damaged.size()) << "no more records than the bytes can hold";
    }
    EXPECT_GT(accepted, 0) << "damage inside times and numbers still loads";
}
