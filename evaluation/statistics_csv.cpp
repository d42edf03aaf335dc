#include "evaluation/statistics_csv.h"

#include "evaluation/interval_statistics.h"
#include "records/document_settings.h"
#include "records/training_type.h"

void writeStatisticsCsv(const TrainingType& type, const DocumentSettings& settings, std::ostream& out)
{
    const IntervalStatistics statistics(type, settings.m_timeFilter);
    out << "measurement,maximum_s,average_s,median_s,sikkhati_x60,ma_maximum_s,ma_average_s,ma_median_s,"
           "ma_sikkhati_x60\n";
    for (int n = 1; n <= statistics.measurementCount(); ++n) {
        out << n;
        for (DiagramKind kind : kDiagramKinds)
            out << ',' << statistics.value(kind, n);
        for (DiagramKind kind : kDiagramKinds) {
            out << ',';
            if (n >= kMovingAverageWidth)
                out << statistics.movingAverage(kind, n);
        }
        out << '\n';
    }
}
