#pragma once

#include "records/import_source.h"

#include <string_view>

// The training types of a JSON export; the settings and the local times are
// not read. A text that breaks the form throws DocumentError (defective
// content) without a path.
ImportedTypes readExportedJson(std::string_view text);
