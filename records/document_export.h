#pragma once

#include <ostream>

class CVersenkwerkDoc;

// The whole document as one line of JSON; durations in seconds.
void ExportJson(const CVersenkwerkDoc& doc, std::ostream& out);
// One line per interval record after a header, RFC 4180 quoting.
void ExportCsv(const CVersenkwerkDoc& doc, std::ostream& out);
