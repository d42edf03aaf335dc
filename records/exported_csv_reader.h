#pragma once

#include "records/import_source.h"

#include <string_view>

// The training types of a CSV export, by the order in which their names
// first appear; the local times and lengths are not read, as the seconds
// since 1970 say the same. A text that breaks the form throws DocumentError
// (defective content) without a path.
ImportedTypes readExportedCsv(std::string_view text);
