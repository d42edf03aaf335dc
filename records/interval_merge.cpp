#include "records/interval_merge.h"

#include "records/text_encoding.h"
#include "records/training_document.h"

#include <algorithm>
#include <unordered_map>

static_assert(TrainingDocument::kTrainingTypeCount == 3, "the counts are kept per training type");

namespace {

constexpr int kHighestMeasurement = 0xFFFF;
// The measurement of a record taken in by this import that has no number yet.
constexpr int kNumberPending = -1;

// What makes two records the same interval.
struct IntervalKey {
    CalendarTime start;
    CalendarTime end;
    bool uddhacca;
    bool operator==(const IntervalKey&) const = default;
};

struct IntervalKeyHash {
    std::size_t operator()(const IntervalKey& key) const
    {
        const std::size_t start = std::hash<CalendarTime>()(key.start);
        const std::size_t end = std::hash<CalendarTime>()(key.end);
        return start ^ (end * 0x9E3779B97F4A7C15ull) ^ static_cast<std::size_t>(key.uddhacca);
    }
};

IntervalKey keyOf(const IntervalRecord& record)
{
    return {record.m_timeStart, record.m_timeEnd, record.m_uddhacca != 0};
}

// The records of one measurement number of a file's training type, as far as they are new.
struct Sitting {
    std::uint16_t number = 0;
    std::vector<IntervalRecord> records;
};

// The sittings of a file's training type by their numbers, each with its records in the file's order.
std::vector<Sitting> sittingsOf(const ImportedTrainingType& type)
{
    std::vector<Sitting> sittings;
    std::unordered_map<std::uint16_t, std::size_t> places;
    for (const IntervalRecord& record : type.records) {
        const auto [place, added] = places.try_emplace(record.m_measurement, sittings.size());
        if (added)
            sittings.push_back({record.m_measurement, {}});
        sittings[place->second].records.push_back(record);
    }
    std::sort(sittings.begin(), sittings.end(), [](const Sitting& a, const Sitting& b) { return a.number < b.number; });
    return sittings;
}

CalendarTime firstStart(const Sitting& sitting)
{
    CalendarTime first = sitting.records.front().m_timeStart;
    for (const IntervalRecord& record : sitting.records)
        first = std::min(first, record.m_timeStart);
    return first;
}

// The records in the order of their numbers, each behind the last present
// record whose number is not higher, with their places in the list afterwards.
std::vector<PlacedRecord> placed(const IntervalRecordList& present, std::vector<IntervalRecord> added)
{
    std::stable_sort(added.begin(), added.end(), [](const IntervalRecord& a, const IntervalRecord& b) {
        return a.m_measurement < b.m_measurement;
    });
    std::vector<std::pair<std::uint16_t, int>> byNumber;
    byNumber.reserve(static_cast<std::size_t>(present.size()));
    for (int i = 0; i < present.size(); ++i)
        byNumber.emplace_back(present[i].m_measurement, i);
    std::sort(byNumber.begin(), byNumber.end());
    std::vector<PlacedRecord> result;
    result.reserve(added.size());
    std::size_t next = 0;
    int lastNotHigher = -1;
    for (const IntervalRecord& record : added) {
        for (; next < byNumber.size() && byNumber[next].first <= record.m_measurement; ++next)
            lastNotHigher = std::max(lastNotHigher, byNumber[next].second);
        result.push_back({lastNotHigher + 1 + static_cast<int>(result.size()), record});
    }
    return result;
}

} // namespace

IntervalMerge::IntervalMerge(const TrainingDocument& into, const ImportedTypes& source)
{
    constexpr int kTypes = TrainingDocument::kTrainingTypeCount;
    std::array<std::vector<const ImportedTrainingType*>, kTypes> from;
    for (std::size_t place = 0; place < source.size(); ++place) {
        const std::string name = decodeText(source[place].name);
        int type = 0;
        while (type < kTypes && decodeText(into.trainingType(type).m_name) != name)
            ++type;
        if (type == kTypes)
            type = static_cast<int>(place); // the readers give no more types than a document has
        if (type < kTypes)
            from[static_cast<std::size_t>(type)].push_back(&source[place]);
    }
    for (int type = 0; type < kTypes; ++type) {
        m_typeNames[static_cast<std::size_t>(type)] = decodeText(into.trainingType(type).m_name);
        mergeInto(type, into.trainingType(type), from[static_cast<std::size_t>(type)]);
    }
    if (m_numbersExhausted)
        m_edits.clear();
}

void IntervalMerge::mergeInto(int type, const TrainingType& into, const std::vector<const ImportedTrainingType*>& from)
{
    MergeCount& count = m_counts[static_cast<std::size_t>(type)];
    const IntervalRecordList& present = into.m_records;
    // Every interval in the type, with its measurement number.
    std::unordered_map<IntervalKey, int, IntervalKeyHash> known;
    std::vector<bool> numberTaken(kHighestMeasurement + 1, false);
    for (const IntervalRecord& record : present) {
        known.try_emplace(keyOf(record), record.m_measurement);
        numberTaken[record.m_measurement] = true;
    }

    std::vector<Sitting> kept;
    std::vector<Sitting> colliding;
    for (const ImportedTrainingType* file : from) {
        // Once a sitting collided, the later ones follow it, so that the file's sittings keep their order.
        bool collided = false;
        for (Sitting& sitting : sittingsOf(*file)) {
            bool continuesKnown = false;
            std::vector<IntervalRecord> fresh;
            for (const IntervalRecord& record : sitting.records) {
                const auto [found, isNew] = known.try_emplace(keyOf(record), kNumberPending);
                if (isNew) {
                    fresh.push_back(record);
                    continue;
                }
                ++count.skipped;
                continuesKnown = continuesKnown || found->second == sitting.number;
            }
            if (fresh.empty())
                continue;
            sitting.records = std::move(fresh);
            if (!continuesKnown && (collided || numberTaken[sitting.number])) {
                collided = true;
                colliding.push_back(std::move(sitting));
                continue;
            }
            numberTaken[sitting.number] = true;
            for (const IntervalRecord& record : sitting.records)
                known[keyOf(record)] = sitting.number;
            kept.push_back(std::move(sitting));
        }
    }

    std::stable_sort(colliding.begin(), colliding.end(),
                     [](const Sitting& a, const Sitting& b) { return firstStart(a) < firstStart(b); });
    int highest = kHighestMeasurement;
    while (highest > 0 && !numberTaken[static_cast<std::size_t>(highest)])
        --highest;
    if (highest + static_cast<int>(colliding.size()) > kHighestMeasurement)
        m_numbersExhausted = true;
    std::vector<IntervalRecord> added;
    for (const Sitting& sitting : kept)
        added.insert(added.end(), sitting.records.begin(), sitting.records.end());
    for (const Sitting& sitting : colliding) {
        const auto number = static_cast<std::uint16_t>(++highest);
        for (IntervalRecord record : sitting.records) {
            record.m_measurement = number;
            added.push_back(record);
        }
    }
    count.added = static_cast<int>(added.size());
    count.renumberedSittings = static_cast<int>(colliding.size());
    // The places count the records of the earlier edits, which are in by then.
    const std::vector<PlacedRecord> all = placed(present, std::move(added));
    for (std::size_t first = 0; first < all.size(); first += kRecordsPerEdit) {
        const auto begin = all.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), first + kRecordsPerEdit));
        m_edits.push_back(InsertRecords{type, {begin, end}});
    }
}

int IntervalMerge::addedCount() const
{
    int added = 0;
    for (const MergeCount& count : m_counts)
        added += count.added;
    return m_numbersExhausted ? 0 : added;
}

std::string IntervalMerge::countsText() const
{
    std::string text;
    for (std::size_t type = 0; type < m_counts.size(); ++type) {
        const MergeCount& count = m_counts[type];
        text += m_typeNames[type] + ": " + std::to_string(count.added) + " added, " + std::to_string(count.skipped) +
                " skipped";
        if (count.renumberedSittings > 0)
            text += ", " + std::to_string(count.renumberedSittings) +
                    (count.renumberedSittings == 1 ? " sitting renumbered" : " sittings renumbered");
        text += '\n';
    }
    return text;
}
