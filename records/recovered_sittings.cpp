#include "records/recovered_sittings.h"

#include "records/training_document.h"

#include <algorithm>

RecoveredSittings::RecoveredSittings(const TrainingDocument& doc, bool fileChanged)
    : m_doc(doc), m_fileChanged(fileChanged)
{
    for (int type = 0; fileChanged && type < TrainingDocument::kTrainingTypeCount; ++type)
        for (const IntervalRecord& record : doc.trainingType(type).m_records)
            m_types[static_cast<std::size_t>(type)].taken.insert(record.m_measurement);
}

RecoveredSittings::Identity RecoveredSittings::identityOf(const IntervalRecord& record)
{
    return {record.m_timeStart, record.m_timeEnd, record.m_uddhacca, record.m_run, record.m_measurement};
}

bool RecoveredSittings::bringIn(int type, IntervalRecord& record)
{
    if (!m_fileChanged)
        return false;
    Type& sittings = m_types[static_cast<std::size_t>(type)];
    auto sitting = sittings.moved.find(record.m_measurement);
    if (sitting == sittings.moved.end()) {
        std::uint16_t target = record.m_measurement;
        if (sittings.taken.count(target)) {
            std::uint16_t highest = 0;
            for (const IntervalRecord& present : m_doc.trainingType(type).m_records)
                highest = std::max(highest, present.m_measurement);
            // Past 65535 there is no number left: the sitting keeps its own.
            if (highest < 0xFFFF)
                target = static_cast<std::uint16_t>(highest + 1);
        }
        sittings.taken.insert(target);
        sitting = sittings.moved.emplace(record.m_measurement, target).first;
    }
    const bool moves = sitting->second != record.m_measurement;
    record.m_measurement = sitting->second;
    return moves;
}

void RecoveredSittings::remove(int type, IntervalRecord& record)
{
    if (!m_fileChanged)
        return;
    Type& sittings = m_types[static_cast<std::size_t>(type)];
    const Identity named = identityOf(record);
    if (const auto sitting = sittings.moved.find(record.m_measurement); sitting != sittings.moved.end())
        record.m_measurement = sitting->second;
    sittings.removed[named] = record.m_measurement;
}

bool RecoveredSittings::putBack(int type, IntervalRecord& record)
{
    if (!m_fileChanged)
        return false;
    Type& sittings = m_types[static_cast<std::size_t>(type)];
    if (const auto removed = sittings.removed.find(identityOf(record)); removed != sittings.removed.end()) {
        const bool moves = removed->second != record.m_measurement;
        record.m_measurement = removed->second;
        return moves;
    }
    return bringIn(type, record);
}
