#include "records/archive.h"
#include "records/document_error.h"
#include "records/program_path.h"
#include "records/training_document.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class RecordingView : public DocumentObserver {
public:
    void documentChanged() override { ++changes; }
    void documentEdited() override { ++edits; }
    int changes = 0;
    int edits = 0;
};

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

// Gives the document these training type names, with no records and the default settings.
void loadNames(TrainingDocument& doc, const std::array<std::string, TrainingDocument::kTrainingTypeCount>& names)
{
    ByteWriter w = defaultSettingsBytes("");
    for (const std::string& name : names)
        w.text(name).int32(0);
    load(doc, w.get());
}

// Loads bytes that must fail; gives the cause and, through message, the prelude or else the message.
DocumentError::Cause loadFailure(TrainingDocument& doc, const Bytes& bytes, std::string* message)
{
    try {
        load(doc, bytes);
    } catch (const DocumentError& error) {
        *message = error.preludeMessage().empty() ? error.message() : error.preludeMessage();
        return error.cause();
    }
    ADD_FAILURE() << "defective bytes were accepted";
    return DocumentError::Cause{};
}

} // namespace

TEST(Document, NewDocumentHasDefaultsNoCurrentTypeAndStoresTheExactBytes)
{
    initProgramPath();
    TrainingDocument doc;
    RecordingView view;
    doc.addObserver(&view);
    EXPECT_TRUE(doc.isFirstNew());
    EXPECT_TRUE(doc.onNewDocument());
    EXPECT_FALSE(doc.isFirstNew());
    EXPECT_EQ(view.changes, 0) << "the first new document is made before any view is set up";

    EXPECT_EQ(doc.trainingTypes()[0].m_name, "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(doc.trainingTypes()[1].m_name, "Kanika Jhavari (Vipassana Bhavana)");
    EXPECT_EQ(doc.trainingTypes()[2].m_name, "Apana Jhavari (Metta Bhavana)");
    for (const TrainingType& type : doc.trainingTypes())
        EXPECT_EQ(type.m_records.size(), 0);
    EXPECT_EQ(doc.currentTrainingType(), nullptr);
    EXPECT_EQ(doc.maxMeasurementNumber(), 0);

    ASSERT_FALSE(programDirectory().empty());
    EXPECT_EQ(doc.settings().m_soundFiles[soundEventIndex(SoundEvent::EndExercise)],
              programDirectory() + "/EndExercise.wav");
    EXPECT_EQ(doc.settings().m_soundFiles[soundEventIndex(SoundEvent::BeginInterval)],
              programFilePath("BeginIntervall.wav"));
    EXPECT_EQ(programFilePath(""), programDirectory());

    // The default settings and names are stored exactly so.
    ByteWriter expected = defaultSettingsBytes("");
    for (const char* name : TrainingDocument::kDefaultTrainingTypeNames)
        expected.text(name).int32(0);
    EXPECT_EQ(store(doc), expected.get());

    // With a current type its name is stored and copied into the settings.
    const TrainingType& kanika = *doc.selectTrainingType("Kanika Jhavari (Vipassana Bhavana)");
    doc.appendInterval(kanika, record().measurement(3).run(2).from(1000000000).to(1000000600));
    ByteWriter withEntry = defaultSettingsBytes("Kanika Jhavari (Vipassana Bhavana)");
    withEntry.text("Apana Jhavari (Samatha Bhavana)").int32(0);
    withEntry.text("Kanika Jhavari (Vipassana Bhavana)").int32(1).entry(1000000000, 1000000600, 0, 3, 2);
    withEntry.text("Apana Jhavari (Metta Bhavana)").int32(0);
    EXPECT_EQ(store(doc), withEntry.get());
    EXPECT_EQ(doc.settings().m_trainingType, "Kanika Jhavari (Vipassana Bhavana)");
}

TEST(Document, LaterNewDocumentKeepsSettingsAndCurrentTypeAndNotifies)
{
    TrainingDocument doc;
    doc.onNewDocument();
    loadNames(doc, {"renamed", "Kanika Jhavari (Vipassana Bhavana)", "Apana Jhavari (Metta Bhavana)"});
    RecordingView view;
    doc.addObserver(&view);
    ASSERT_NE(doc.selectTrainingType("Kanika Jhavari (Vipassana Bhavana)"), nullptr);
    doc.appendInterval(*doc.currentTrainingType(), record().measurement(1).run(1).from(100).to(200));
    doc.setWaveVolume(7);
    doc.setSoundFile(SoundEvent::EndIntervalUddhacca, "/elsewhere/end.wav");
    doc.setPathName("/tmp/old.con");
    ASSERT_TRUE(doc.isModified());

    doc.onNewDocument();
    EXPECT_EQ(view.changes, 1);
    EXPECT_EQ(doc.currentTrainingType(), &doc.trainingTypes()[1]);
    EXPECT_EQ(doc.currentTrainingType()->m_records.size(), 0);
    EXPECT_EQ(doc.trainingTypes()[0].m_name, "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(doc.settings().m_waveVolume, 7);
    EXPECT_EQ(doc.settings().m_soundFiles[2], "/elsewhere/end.wav");
    EXPECT_TRUE(doc.pathName().empty());
    EXPECT_FALSE(doc.isModified());

    doc.removeObserver(&view);
    doc.onNewDocument();
    EXPECT_EQ(view.changes, 1);
}

TEST(Document, FindTrainingTypeMatchesWholeNamesByteForByte)
{
    TrainingDocument doc;
    doc.onNewDocument();
    EXPECT_EQ(doc.selectTrainingType(""), nullptr);
    EXPECT_EQ(doc.currentTrainingType(), nullptr);
    EXPECT_EQ(doc.findTrainingType("Apana Jhavari (Metta Bhavana)"), &doc.trainingTypes()[2]);
    EXPECT_EQ(doc.currentTrainingType(), nullptr) << "finding does not select";
    EXPECT_EQ(doc.selectTrainingType("Apana Jhavari (Metta Bhavana)"), &doc.trainingTypes()[2]);
    EXPECT_EQ(doc.selectTrainingType("apana jhavari (samatha bhavana)"), nullptr);
    EXPECT_EQ(doc.selectTrainingType("Apana Jhavari"), nullptr);
    EXPECT_EQ(doc.currentTrainingType(), &doc.trainingTypes()[2]) << "an unknown name keeps the current type";
    EXPECT_FALSE(doc.isModified()) << "selecting is no edit";
    loadNames(doc, {"Apana Jhavari (Metta Bhavana)", "B", "Apana Jhavari (Metta Bhavana)"});
    EXPECT_EQ(doc.selectTrainingType("Apana Jhavari (Metta Bhavana)"), &doc.trainingTypes()[0]) << "first match wins";
}

TEST(Document, MeasurementNumbersAndListOperations)
{
    TrainingDocument doc;
    doc.onNewDocument();
    const TrainingType& type = *doc.selectTrainingType("Apana Jhavari (Samatha Bhavana)");
    IntervalRecordList list;
    const IntervalRecord records[] = {record().measurement(3).run(1).from(10).to(20),
                                      record().measurement(1).run(1).from(30).to(40),
                                      record().measurement(2).run(1).from(50).to(60)};
    for (const IntervalRecord& interval : records) {
        doc.appendInterval(type, interval);
        list.add(interval);
    }
    EXPECT_EQ(doc.maxMeasurementNumber(), 3);
    doc.appendInterval(type, record().measurement(65535).run(1).from(70).to(80));
    list.add(record().measurement(65535).run(1).from(70).to(80));
    EXPECT_EQ(doc.maxMeasurementNumber(), 65535) << "compared as unsigned 16-bit";
    doc.removeIntervalsStartingAt(type, {10, 70});
    ASSERT_EQ(type.m_records.size(), 2);
    EXPECT_EQ(type.m_records[0], record().measurement(1).run(1).from(30).to(40));
    EXPECT_EQ(type.m_records[1], record().measurement(2).run(1).from(50).to(60));
    doc.removeIntervalsStartingAt(type, {30, 50});
    EXPECT_EQ(doc.maxMeasurementNumber(), 0);

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
    EXPECT_EQ(list.size(), 0);
}

TEST(Document, LoadReplacesSettingsAndRecordsButNotTheCurrentType)
{
    TrainingDocument source;
    source.onNewDocument();
    loadNames(source, {"Apana Jhavari (Samatha Bhavana)", "Kanika Jhavari (Vipassana Bhavana)", "Own type"});
    source.setTimeSound(false);
    source.setMainVolume(12);
    source.setFilterTime(makeDuration(0, 1, 30));
    source.setSoundFile(SoundEvent::EndExercise, std::string("C:\\Kl\xE4nge\\Ende.wav"));
    const TrainingType& own = *source.selectTrainingType("Own type");
    source.appendInterval(own, record().measurement(1).run(1).from(5).to(65).uddhacca());
    source.appendInterval(own, record().measurement(1).run(2).from(70).to(90));
    const Bytes bytes = store(source);

    TrainingDocument doc;
    doc.onNewDocument();
    doc.appendInterval(*doc.selectTrainingType("Apana Jhavari (Samatha Bhavana)"),
                       record().measurement(9).run(9).from(1).to(2));
    RecordingView view;
    doc.addObserver(&view);
    load(doc, bytes);

    EXPECT_EQ(view.changes, 1);
    EXPECT_EQ(doc.currentTrainingType(), &doc.trainingTypes()[0]);
    EXPECT_EQ(doc.trainingTypes()[0].m_records.size(), 0);
    EXPECT_EQ(doc.trainingTypes()[2].m_name, "Own type");
    ASSERT_EQ(doc.trainingTypes()[2].m_records.size(), 2);
    EXPECT_EQ(doc.trainingTypes()[2].m_records[0], record().measurement(1).run(1).from(5).to(65).uddhacca());
    EXPECT_EQ(doc.settings().m_trainingType, "Own type");
    EXPECT_EQ(doc.selectTrainingType("Apana Jhavari (Metta Bhavana)"), nullptr);
    doc.selectTrainingType("Own type");
    EXPECT_EQ(store(doc), bytes) << "settings and texts are written back byte for byte";
}

TEST(Document, NegativeCountYieldsAnEmptyTypeAndTheNextBlockFollows)
{
    ByteWriter w = defaultSettingsBytes("B");
    w.text("A").int32(-1);
    w.text("B").int32(1).entry(100, 160, 1, 4, 1);
    w.text("C").int32(0);
    w.raw({0xDE, 0xAD}); // trailing bytes are never read
    TrainingDocument doc;
    doc.onNewDocument();
    load(doc, w.get());
    EXPECT_EQ(doc.trainingTypes()[0].m_name, "A");
    EXPECT_EQ(doc.trainingTypes()[0].m_records.size(), 0);
    ASSERT_EQ(doc.trainingTypes()[1].m_records.size(), 1);
    EXPECT_EQ(doc.trainingTypes()[1].m_records[0], record().measurement(4).run(1).from(100).to(160).uddhacca());
    EXPECT_EQ(doc.trainingTypes()[2].m_name, "C");
}

TEST(Document, DefectiveFilesFailWithTheirCauseAndLeaveTheDocument)
{
    ByteWriter capitalMagic;
    capitalMagic.raw({0x03, 'C', 'O', 'N'});
    TrainingDocument doc;
    doc.onNewDocument();
    doc.setWaveVolume(4);
    std::string message;
    EXPECT_EQ(loadFailure(doc, capitalMagic.get(), &message), DocumentError::Cause::DefectiveMagic);
    EXPECT_EQ(message, "The file is defective and can not be read.");
    EXPECT_EQ(doc.settings().m_waveVolume, 4) << "nothing after the magic is read";

    // A huge count fails without allocating for it.
    ByteWriter hugeCount = defaultSettingsBytes("");
    hugeCount.text("A").int32(0x7FFFFFFF).entry(1, 2, 0, 1, 1);
    EXPECT_EQ(loadFailure(doc, hugeCount.get(), &message), DocumentError::Cause::CutShort);
    EXPECT_EQ(message, "Unerwartetes Dateiformat.");
    EXPECT_EQ(doc.trainingTypes()[0].m_records.size(), 0);
}

TEST(Document, DamagedFilesNeverCrashTheReader)
{
    TrainingDocument source;
    source.onNewDocument();
    const TrainingType& type = *source.selectTrainingType("Apana Jhavari (Samatha Bhavana)");
    for (int i = 1; i <= 6; ++i)
        source.appendInterval(type, record().measurement(1 + i / 3).run(i).from(i * 100).to(i * 100 + 50));
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
        for (const TrainingType& loadedType : doc.trainingTypes())
            records += static_cast<std::size_t>(loadedType.m_records.size());
        EXPECT_LE(records * 16, damaged.size()) << "no more records than the bytes can hold";
    }
    EXPECT_GT(accepted, 0) << "damage inside times and numbers still loads";
}

TEST(Document, EveryEditMarksModifiedAndTellsTheObserversOnce)
{
    TrainingDocument doc;
    doc.onNewDocument();
    const TrainingType& type = *doc.selectTrainingType("Apana Jhavari (Samatha Bhavana)");
    RecordingView view;
    doc.addObserver(&view);
    std::array<std::string, kSoundEventCount> sounds;
    sounds.fill("/s/any.wav");
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"defaults", [&] { doc.restoreDefaultSettings(); }},
        {"type name", [&] { doc.setTrainingTypeName("Kanika Jhavari (Vipassana Bhavana)"); }},
        {"fixed time", [&] { doc.setFixedExerciseTime(false); }},
        {"fixed duration", [&] { doc.setFixedDuration(makeDuration(0, 20, 0)); }},
        {"alarm", [&] { doc.setAutoUddhaccaAlarm(true); }},
        {"alarm interval", [&] { doc.setAlarmInterval(makeDuration(0, 7, 0)); }},
        {"filter", [&] { doc.setFilterTime(makeDuration(0, 0, 30)); }},
        {"wave volume", [&] { doc.setWaveVolume(3); }},
        {"main volume", [&] { doc.setMainVolume(4); }},
        {"sound files", [&] { doc.setSoundFiles(sounds); }},
        {"one sound file", [&] { doc.setSoundFile(SoundEvent::EndExercise, "/s/end.wav"); }},
        {"append", [&] { doc.appendInterval(type, record().measurement(1).run(1).from(5).to(9)); }},
        {"append", [&] { doc.appendInterval(type, record().measurement(1).run(2).from(10).to(20)); }},
        {"remove", [&] { doc.removeIntervalsStartingAt(type, {5}); }},
        {"view edit", [&] { doc.markEdited(); }},
    };
    for (const auto& [what, edit] : edits) {
        doc.setModified(false);
        const int before = view.edits;
        edit();
        EXPECT_TRUE(doc.isModified()) << what;
        EXPECT_EQ(view.edits, before + 1) << what;
    }
    EXPECT_EQ(view.changes, 0) << "an edit does not replace the document";

    ASSERT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(type.m_records[0], record().measurement(1).run(2).from(10).to(20));
}

TEST(Document, TimeSoundSelectionAndFirstDefaultsAreNoEdits)
{
    TrainingDocument doc;
    doc.onNewDocument();
    RecordingView view;
    doc.addObserver(&view);
    doc.setTimeSound(false);
    EXPECT_EQ(doc.settings().m_timeSound, 0);
    doc.selectTrainingType("Apana Jhavari (Metta Bhavana)");
    doc.setUpDefaultSettings();
    EXPECT_EQ(doc.settings().m_timeSound, 1);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(view.edits, 2) << "the time sound and the defaults are shown, a selection is not";

    TrainingDocument other;
    EXPECT_THROW(doc.appendInterval(other.trainingTypes()[0], record().measurement(1).run(1).from(1).to(2)),
                 std::invalid_argument);
    EXPECT_FALSE(doc.isModified());
}
