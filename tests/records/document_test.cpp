#include "records/archive.h"
#include "records/document_error.h"
#include "records/edit_journal.h"
#include "records/program_path.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Counts what the document announces.
class RecordingView : public DocumentListener {
public:
    void documentReset(DocumentReset) override { ++changes; }
    void recordsAppended(int, int, int) override { ++edits; }
    void recordsRemoved(int, const std::vector<int>&) override { ++edits; }
    void recordsInserted(int, const std::vector<int>&) override { ++edits; }
    void settingsChanged(const DocumentSettings&) override { ++edits; }
    void currentTypeChanged() override { ++selections; }
    int changes = 0;
    int edits = 0;
    int selections = 0;
};

class RecordingJournal : public EditJournal {
public:
    void record(const DocumentEdit&) override { ++recorded; }
    int recorded = 0;
};

// Everything an edit can change.
struct DocumentState {
    std::vector<std::vector<IntervalRecord>> records;
    DocumentSettings settings;
    bool operator==(const DocumentState&) const = default;
};

DocumentState stateOf(const TrainingDocument& doc)
{
    DocumentState state{{}, doc.settings()};
    for (const TrainingType& type : doc.trainingTypes())
        state.records.emplace_back(type.m_records.begin(), type.m_records.end());
    return state;
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
    doc.addListener(&view);
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
    append(doc, kanika, record().measurement(3).run(2).from(1000000000).to(1000000600));
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
    doc.addListener(&view);
    ASSERT_NE(doc.selectTrainingType("Kanika Jhavari (Vipassana Bhavana)"), nullptr);
    append(doc, *doc.currentTrainingType(), record().measurement(1).run(1).from(100).to(200));
    changeSettings(doc, [&](DocumentSettings& s) { s.m_waveVolume = 7; });
    changeSettings(doc, [&](DocumentSettings& s) {
        s.m_soundFiles[soundEventIndex(SoundEvent::EndIntervalUddhacca)] = "/elsewhere/end.wav";
    });
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

    doc.removeListener(&view);
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
        append(doc, type, interval);
        list.add(interval);
    }
    EXPECT_EQ(doc.maxMeasurementNumber(), 3);
    append(doc, type, record().measurement(65535).run(1).from(70).to(80));
    list.add(record().measurement(65535).run(1).from(70).to(80));
    EXPECT_EQ(doc.maxMeasurementNumber(), 65535) << "compared as unsigned 16-bit";
    doc.apply(RemoveRecords{0, {{0, records[0]}, {3, record().measurement(65535).run(1).from(70).to(80)}}});
    ASSERT_EQ(type.m_records.size(), 2);
    EXPECT_EQ(type.m_records[0], record().measurement(1).run(1).from(30).to(40));
    EXPECT_EQ(type.m_records[1], record().measurement(2).run(1).from(50).to(60));
    doc.apply(RemoveRecords{0, {{0, records[1]}, {1, records[2]}}});
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
    source.apply(SetTimeSound{false});
    changeSettings(source, [&](DocumentSettings& s) { s.m_mainVolume = 12; });
    changeSettings(source, [&](DocumentSettings& s) { s.m_timeFilter = makeDuration(0, 1, 30); });
    changeSettings(source, [&](DocumentSettings& s) {
        s.m_soundFiles[soundEventIndex(SoundEvent::EndExercise)] = std::string("C:\\Kl\xE4nge\\Ende.wav");
    });
    const TrainingType& own = *source.selectTrainingType("Own type");
    append(source, own, record().measurement(1).run(1).from(5).to(65).uddhacca());
    append(source, own, record().measurement(1).run(2).from(70).to(90));
    const Bytes bytes = store(source);

    TrainingDocument doc;
    doc.onNewDocument();
    append(doc, *doc.selectTrainingType("Apana Jhavari (Samatha Bhavana)"),
           record().measurement(9).run(9).from(1).to(2));
    load(doc, bytes);

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
    changeSettings(doc, [&](DocumentSettings& s) { s.m_waveVolume = 4; });
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
        append(source, type, record().measurement(1 + i / 3).run(i).from(i * 100).to(i * 100 + 50));
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

TEST(Document, EveryEditIsAnnouncedJournalledAndUndoneByItsInverse)
{
    TrainingDocument doc;
    doc.onNewDocument();
    const TrainingType& type = *doc.selectTrainingType("Apana Jhavari (Samatha Bhavana)");
    const IntervalRecord first = record().measurement(1).run(1).from(5).to(9);
    const IntervalRecord second = record().measurement(1).run(2).from(10).to(20);
    const IntervalRecord third = record().measurement(2).run(1).from(30).to(40);
    for (const IntervalRecord& interval : {first, second, third, second})
        append(doc, type, interval);
    RecordingView view;
    doc.addListener(&view);
    RecordingJournal journal;
    doc.setJournal(&journal);
    DocumentSettings filtered = doc.settings();
    filtered.m_timeFilter = makeDuration(0, 0, 30);
    filtered.m_soundFiles[2] = "/s/end.wav";

    const struct {
        const char* what;
        DocumentEdit edit;
        bool marksModified;
    } edits[] = {
        {"append", AppendInterval{2, third}, true},
        {"remove where it stands", RemoveRecords{0, {{0, first}}}, true},
        {"remove found elsewhere", RemoveRecords{0, {{0, third}}}, true},
        {"remove of one of two equal records", RemoveRecords{0, {{1, second}}}, true},
        {"remove of a missing record", RemoveRecords{0, {{1, record().measurement(7).run(1).from(1).to(2)}}}, true},
        {"insert", InsertRecords{1, {{0, first}, {1, second}}}, true},
        {"insert beyond the end", InsertRecords{0, {{99, first}}}, true},
        {"settings", ReplaceSettings{filtered}, true},
        {"defaults", ReplaceSettings{DocumentSettings()}, true},
        {"time sound", SetTimeSound{doc.settings().m_timeSound == 0}, false},
    };
    for (const auto& [what, edit, marksModified] : edits) {
        const DocumentState before = stateOf(doc);
        doc.setModified(false);
        const int announced = view.edits;
        const int journalled = journal.recorded;
        const DocumentEdit inverse = doc.apply(edit);
        const DocumentState after = stateOf(doc);
        EXPECT_EQ(doc.isModified(), marksModified) << what;
        EXPECT_EQ(view.edits, announced + 1) << what;
        EXPECT_EQ(journal.recorded, journalled + (marksModified ? 1 : 0)) << what;

        const DocumentEdit redo = doc.apply(inverse);
        EXPECT_TRUE(stateOf(doc) == before) << what << ": undone";
        doc.apply(redo);
        EXPECT_TRUE(stateOf(doc) == after) << what << ": redone";
    }
    EXPECT_EQ(view.changes, 0) << "an edit does not replace the document";
    EXPECT_EQ(view.selections, 0);
    EXPECT_EQ(stateOf(doc).records[0], (std::vector<IntervalRecord>{second, first}));
    doc.setJournal(nullptr);
}

TEST(Document, TimeSoundSelectionAndFirstDefaultsAreNoEdits)
{
    TrainingDocument doc;
    doc.onNewDocument();
    RecordingView view;
    doc.addListener(&view);
    doc.apply(SetTimeSound{false});
    EXPECT_EQ(doc.settings().m_timeSound, 0);
    doc.selectTrainingType("Apana Jhavari (Metta Bhavana)");
    doc.selectTrainingType("Apana Jhavari (Metta Bhavana)");
    doc.setUpDefaultSettings();
    EXPECT_EQ(doc.settings().m_timeSound, 1);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(view.edits, 2) << "the time sound and the defaults are shown";
    EXPECT_EQ(view.selections, 1) << "another training type is announced once";
}
