#include "statistics_csv.h"

#include "doc_settings.h"
#include "interval_statistics.h"
#include "training_type.h"

void WriteStatisticsCsv(const TrainingType& type, const DocSettings& settings, std::ostream& out)
{
    const CIntervalStatistics statistics(type, settings.m_timeFilter);
    out << "measurement,maximum_s,average_s,median_s,sikkhati_x60,ma_maximum_s,ma_average_s,ma_median_s,"
           "ma_sikkhati_x60\n";
    for (int n = 1; n <= statistics.GetMeasurementCount(); ++n) {
        out << n;
        for (DiagramKind kind : kDiagramKinds)
            out << ',' << statistics.GetValue(kind, n);
        for (DiagramKind kind : kDiagramKinds) {
            out << ',';
            if (n >= kMovingAverageWidth)
                out << statistics.GetMovingAverage(kind, n);
        }
        out << '\n';
    }
}
