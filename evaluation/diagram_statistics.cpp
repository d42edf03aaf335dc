#include "evaluation/diagram_statistics.h"

#include "records/training_document.h"

DiagramStatistics::DiagramStatistics(const TrainingDocument& document) : m_document(document)
{
}

const IntervalStatistics& DiagramStatistics::current()
{
    static const TrainingType kNoType;
    const TrainingType& type = m_document.currentTrainingType() ? *m_document.currentTrainingType() : kNoType;
    const CalendarTime filter = m_document.settings().m_timeFilter;
    if (!m_statistics || m_type != &type || m_filter != filter || m_recordCount != type.m_records.size()) {
        m_statistics.emplace(type, filter);
        m_type = &type;
        m_filter = filter;
        m_recordCount = type.m_records.size();
    }
    return *m_statistics;
}

void DiagramStatistics::recordsAppended(int type, int first, int count)
{
    if (!m_statistics || m_type != &m_document.trainingType(type))
        return; // records of another type change nothing here
    if (first != m_recordCount) {
        forget();
        return;
    }
    m_statistics->appendRecords(*m_type, first, count);
    m_recordCount += count;
}

void DiagramStatistics::forget()
{
    m_statistics.reset();
}
