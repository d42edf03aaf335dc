#pragma once

#include <ostream>

class TrainingDocument;

// The whole document as one line of JSON; durations in seconds.
void exportJson(const TrainingDocument& doc, std::ostream& out);
// One line per interval record after a header, RFC 4180 quoting.
void exportCsv(const TrainingDocument& doc, std::ostream& out);
