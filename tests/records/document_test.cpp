#include "archive.h"
#include "document.h"
#include "document_error.h"
#include "program_path.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

namespace {

class RecordingView : public CDocumentView {
public:
    void OnDocumentUpdate(int hint) override { hints.push_back(hint); }
    std::vector<int> hints;
};

CDataEntry Entry(CalendarTime start, CalendarTime end, int measurement, int run, int uddhacca = 0)
{
    CDataEntry entry;
    entry.m_timeStart = start;
    entry.m_timeEnd = end;
    entry.m_nMeasurement = static_cast<std::uint16_t>(measurement);
    entry.m_nRun = static_cast<std::uint16_t>(run);
    entry.m_bUddhacca = uddhacca;
    return entry;
}

Bytes Store(CVersenkwerkDoc& doc)
{
    CArchive ar;
    doc.Serialize(ar);
    return ar.Buffer();
}

void Load(CVersenkwerkDoc& doc, const Bytes& bytes)
{
    CArchive ar(bytes.data(), bytes.size());
    doc.Serialize(ar);
}

// The bytes of the settings block as a new document with default settings stores them.
ByteWriter DefaultSettingsBytes(const std::string& trainingType)
{
    ByteWriter w;
    w.Text("con").Text(trainingType).Int32(1).Time(MakeDuration(0, 10, 0)).Int32(0).Time(MakeDuration(0, 5, 0));
    w.Time(MakeDuration(0, 0, 10)).Int32(-1).Int32(-1).Int32(1);
    for (const char* name : kDefaultSoundFiles)
        w.Text(GetProgramFilePath(name));
    return w;
}

} // namespace

TEST(Document, NewDocumentAfterMakingHasDefaultsAndNoCurrentType)
{
    InitProgramPath();
    CVersenkwerkDoc doc;
    RecordingView view;
    doc.AddView(&view);
    EXPECT_TRUE(doc.m_bFirstNew);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.m_bFirstNew);
    EXPECT_TRUE(view.hints.empty()) << "the first new document is made before any view is set up";

    EXPECT_EQ(doc.m_aTrainingTypes[0].m_strName, "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(doc.m_aTrainingTypes[1].m_strName, "Kanika Jhavari (Vipassana Bhavana)");
    EXPECT_EQ(doc.m_aTrainingTypes[2].m_strName, "Apana Jhavari (Metta Bhavana)");
    for (const TrainingType& type : doc.m_aTrainingTypes)
        EXPECT_EQ(type.m_aEntries.GetSize(), 0);
    EXPECT_EQ(doc.m_pCurrentType, nullptr);
    EXPECT_EQ(doc.GetMaxMeasurementNumber(), 0);

    const DocSettings& s = doc.m_settings;
    EXPECT_EQ(s.m_bTimeSound, 1);
    EXPECT_TRUE(s.m_strTrainingType.empty());
    EXPECT_EQ(s.m_bFixedExerciseTime, 1);
    EXPECT_EQ(DurationSeconds(s.m_timeFixedDuration), 600);
    EXPECT_EQ(s.m_bAutoUddhaccaAlarm, 0);
    EXPECT_EQ(DurationSeconds(s.m_timeAlarmInterval), 300);
    EXPECT_EQ(DurationSeconds(s.m_timeFilter), 10);
    EXPECT_EQ(s.m_nWaveVolume, -1);
    EXPECT_EQ(s.m_nMainVolume, -1);
    ASSERT_FALSE(GetProgramDirectory().empty());
    EXPECT_EQ(s.m_strSoundFile[EndExercise], GetProgramDirectory() + "/EndExercise.wav");
    EXPECT_EQ(s.m_strSoundFile[BeginIntervall], GetProgramFilePath("BeginIntervall.wav"));
    EXPECT_EQ(GetProgramFilePath(""), GetProgramDirectory());
}

TEST(Document, LaterNewDocumentKeepsSettingsAndCurrentTypeAndNotifies)
{
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    RecordingView view;
    doc.AddView(&view);
    ASSERT_NE(doc.FindTrainingType("Kanika Jhavari (Vipassana Bhavana)"), nullptr);
    doc.m_pCurrentType->m_aEntries.Add(Entry(100, 200, 1, 1));
    doc.m_settings.m_nWaveVolume = 7;
    doc.m_settings.m_strSoundFile[2] = "/elsewhere/end.wav";
    doc.m_aTrainingTypes[0].m_strName = "renamed";
    doc.SetPathName("/tmp/old.con");
    doc.SetModifiedFlag();

    doc.OnNewDocument();
    EXPECT_EQ(view.hints, std::vector<int>{0});
    EXPECT_EQ(doc.m_pCurrentType, &doc.m_aTrainingTypes[1]);
    EXPECT_EQ(doc.m_pCurrentType->m_aEntries.GetSize(), 0);
    EXPECT_EQ(doc.m_aTrainingTypes[0].m_strName, "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(doc.m_settings.m_nWaveVolume, 7);
    EXPECT_EQ(doc.m_settings.m_strSoundFile[2], "/elsewhere/end.wav");
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_FALSE(doc.IsModified());

    doc.RemoveView(&view);
    doc.OnNewDocument();
    EXPECT_EQ(view.hints.size(), 1u);
}

TEST(Document, FindTrainingTypeMatchesWholeNamesByteForByte)
{
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(doc.FindTrainingType(""), nullptr);
    EXPECT_EQ(doc.m_pCurrentType, nullptr);
    EXPECT_EQ(doc.FindTrainingType("Apana Jhavari (Metta Bhavana)"), &doc.m_aTrainingTypes[2]);
    EXPECT_EQ(doc.FindTrainingType("apana jhavari (samatha bhavana)"), nullptr);
    EXPECT_EQ(doc.FindTrainingType("Apana Jhavari"), nullptr);
    EXPECT_EQ(doc.m_pCurrentType, &doc.m_aTrainingTypes[2]) << "an unknown name keeps the current type";
    doc.m_aTrainingTypes[0].m_strName = doc.m_aTrainingTypes[2].m_strName;
    EXPECT_EQ(doc.FindTrainingType("Apana Jhavari (Metta Bhavana)"), &doc.m_aTrainingTypes[0]) << "first match wins";
}

TEST(Document, MeasurementNumbersAndListOperations)
{
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    doc.FindTrainingType("Apana Jhavari (Samatha Bhavana)");
    CDataEntryArray& list = doc.m_pCurrentType->m_aEntries;
    list.Add(Entry(10, 20, 3, 1));
    list.Add(Entry(30, 40, 1, 1));
    list.Add(Entry(50, 60, 2, 1));
    EXPECT_EQ(doc.GetMaxMeasurementNumber(), 3);
    list.Add(Entry(70, 80, 65535, 1));
    EXPECT_EQ(doc.GetMaxMeasurementNumber(), 65535) << "compared as unsigned 16-bit";

    list.RemoveAt(0, 1);
    list.RemoveAt(2, 1);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[0].m_nMeasurement, 1);
    EXPECT_EQ(list[1].m_nMeasurement, 2);
    EXPECT_EQ(list[1].Length(), 10);

    EXPECT_THROW(list.GetAt(2), std::invalid_argument);
    EXPECT_THROW(list.GetAt(-1), std::invalid_argument);
    EXPECT_THROW(list.RemoveAt(1, 2), std::invalid_argument);
    EXPECT_THROW(list.RemoveAt(2, 1), std::invalid_argument);
    EXPECT_EQ(list.GetSize(), 2) << "a refused removal changes nothing";
    list.RemoveAll();
    EXPECT_EQ(doc.GetMaxMeasurementNumber(), 0);
}

TEST(Document, NewDocumentStoresTheExactBytes)
{
    InitProgramPath();
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    ByteWriter expected = DefaultSettingsBytes("");
    for (const char* name : CVersenkwerkDoc::kDefaultTrainingTypeNames)
        expected.Text(name).Int32(0);
    EXPECT_EQ(Store(doc), expected.Get());

    // With a current type its name is stored and copied into the settings.
    doc.FindTrainingType("Kanika Jhavari (Vipassana Bhavana)");
    doc.m_pCurrentType->m_aEntries.Add(Entry(1000000000, 1000000600, 3, 2));
    ByteWriter withEntry = DefaultSettingsBytes("Kanika Jhavari (Vipassana Bhavana)");
    withEntry.Text("Apana Jhavari (Samatha Bhavana)").Int32(0);
    withEntry.Text("Kanika Jhavari (Vipassana Bhavana)").Int32(1).Entry(1000000000, 1000000600, 0, 3, 2);
    withEntry.Text("Apana Jhavari (Metta Bhavana)").Int32(0);
    EXPECT_EQ(Store(doc), withEntry.Get());
    EXPECT_EQ(doc.m_settings.m_strTrainingType, "Kanika Jhavari (Vipassana Bhavana)");
}

TEST(Document, LoadReplacesSettingsAndRecordsButNotTheCurrentType)
{
    CVersenkwerkDoc source;
    source.OnNewDocument();
    source.m_settings.m_bTimeSound = 0;
    source.m_settings.m_nMainVolume = 12;
    source.m_settings.m_timeFilter = MakeDuration(0, 1, 30);
    source.m_settings.m_strSoundFile[4] = std::string("C:\\Kl\xE4nge\\Ende.wav");
    source.m_aTrainingTypes[2].m_strName = "Own type";
    source.FindTrainingType("Own type");
    source.m_pCurrentType->m_aEntries.Add(Entry(5, 65, 1, 1, 1));
    source.m_pCurrentType->m_aEntries.Add(Entry(70, 90, 1, 2));
    const Bytes bytes = Store(source);

    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    doc.FindTrainingType("Apana Jhavari (Samatha Bhavana)");
    doc.m_aTrainingTypes[0].m_aEntries.Add(Entry(1, 2, 9, 9));
    RecordingView view;
    doc.AddView(&view);
    Load(doc, bytes);

    EXPECT_EQ(view.hints, std::vector<int>{0});
    EXPECT_EQ(doc.m_pCurrentType, &doc.m_aTrainingTypes[0]);
    EXPECT_EQ(doc.m_aTrainingTypes[0].m_aEntries.GetSize(), 0);
    EXPECT_EQ(doc.m_aTrainingTypes[2].m_strName, "Own type");
    ASSERT_EQ(doc.m_aTrainingTypes[2].m_aEntries.GetSize(), 2);
    EXPECT_EQ(doc.m_aTrainingTypes[2].m_aEntries[0], Entry(5, 65, 1, 1, 1));
    EXPECT_EQ(doc.m_settings.m_strTrainingType, "Own type");
    EXPECT_EQ(doc.m_settings.m_bTimeSound, 0);
    EXPECT_EQ(doc.m_settings.m_nMainVolume, 12);
    EXPECT_EQ(DurationSeconds(doc.m_settings.m_timeFilter), 90);
    EXPECT_EQ(doc.m_settings.m_strSoundFile[4], source.m_settings.m_strSoundFile[4]);
    EXPECT_EQ(doc.FindTrainingType("Apana Jhavari (Metta Bhavana)"), nullptr);
    doc.FindTrainingType("Own type");
    EXPECT_EQ(Store(doc), bytes) << "texts are written back byte for byte";
}

TEST(Document, NegativeCountYieldsAnEmptyTypeAndTheNextBlockFollows)
{
    ByteWriter w = DefaultSettingsBytes("B");
    w.Text("A").Int32(-1);
    w.Text("B").Int32(1).Entry(100, 160, 1, 4, 1);
    w.Text("C").Int32(0);
    w.Raw({0xDE, 0xAD}); // trailing bytes are never read
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    Load(doc, w.Get());
    EXPECT_EQ(doc.m_aTrainingTypes[0].m_strName, "A");
    EXPECT_EQ(doc.m_aTrainingTypes[0].m_aEntries.GetSize(), 0);
    ASSERT_EQ(doc.m_aTrainingTypes[1].m_aEntries.GetSize(), 1);
    EXPECT_EQ(doc.m_aTrainingTypes[1].m_aEntries[0], Entry(100, 160, 4, 1, 1));
    EXPECT_EQ(doc.m_aTrainingTypes[2].m_strName, "C");
}

TEST(Document, MagicIsComparedCaseSensitively)
{
    ByteWriter w;
    w.Raw({0x03, 'C', 'O', 'N'});
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    doc.m_settings.m_nWaveVolume = 4;
    try {
        Load(doc, w.Get());
        FAIL() << "a capitalised magic was accepted";
    } catch (const CDocumentError& error) {
        EXPECT_EQ(error.GetCause(), CDocumentError::Cause::DefectiveMagic);
        EXPECT_EQ(error.GetPreludeMessage(), "The file is defective and can not be read.");
    }
    EXPECT_EQ(doc.m_settings.m_nWaveVolume, 4) << "nothing after the magic is read";
}

TEST(Document, HugeCountsFailAsCutShortWithoutAllocating)
{
    ByteWriter w = DefaultSettingsBytes("");
    w.Text("A").Int32(0x7FFFFFFF).Entry(1, 2, 0, 1, 1);
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    try {
        Load(doc, w.Get());
        FAIL() << "a count beyond the file was accepted";
    } catch (const CDocumentError& error) {
        EXPECT_EQ(error.GetCause(), CDocumentError::Cause::CutShort);
        EXPECT_EQ(error.GetMessage(), "Unerwartetes Dateiformat.");
    }
    EXPECT_EQ(doc.m_aTrainingTypes[0].m_aEntries.GetSize(), 0);
}

TEST(Document, DamagedFilesNeverCrashTheReader)
{
    CVersenkwerkDoc source;
    source.OnNewDocument();
    source.FindTrainingType("Apana Jhavari (Samatha Bhavana)");
    for (int i = 1; i <= 6; ++i)
        source.m_pCurrentType->m_aEntries.Add(Entry(i * 100, i * 100 + 50, 1 + i / 3, i));
    const Bytes original = Store(source);

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
        CVersenkwerkDoc doc;
        doc.OnNewDocument();
        try {
            Load(doc, damaged);
            ++accepted;
        } catch (const CDocumentError& error) {
            EXPECT_NE(error.GetMessage(), "");
        }
        std::size_t records = 0;
        for (const TrainingType& type : doc.m_aTrainingTypes)
            records += static_cast<std::size_t>(type.m_aEntries.GetSize());
        EXPECT_LE(records * 16, damaged.size()) << "no more records than the bytes can hold";
    }
    EXPECT_GT(accepted, 0) << "damage inside times and numbers still loads";
}
