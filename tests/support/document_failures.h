#pragma once

#include "records/document_error.h"

#include <string>

class TrainingDocument;

// Why opening or saving the document file failed; a success fails the running test and gives Generic.
DocumentError::Cause openFailure(TrainingDocument& doc, const std::string& path, std::string* message = nullptr);
DocumentError::Cause saveFailure(TrainingDocument& doc, const std::string& path);
