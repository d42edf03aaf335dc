#pragma once

#include <ostream>

class TrainingType;
class DocSettings;

// One line per measurement 1..N: the four values in seconds (Sikkhati as
// percent x 60) and, from measurement 30 on, their moving averages.
void WriteStatisticsCsv(const TrainingType& type, const DocSettings& settings, std::ostream& out);
