#pragma once

#include <ostream>

class TrainingType;
class DocumentSettings;

// One line per measurement 1..N: the four values in seconds (Sikkhati as
// percent x 60) and, from measurement 30 on, their moving averages.
void writeStatisticsCsv(const TrainingType& type, const DocumentSettings& settings, std::ostream& out);
