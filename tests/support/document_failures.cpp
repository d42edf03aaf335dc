#include "tests/support/document_failures.h"

#include "records/document_file.h"
#include "records/training_document.h"

#include <gtest/gtest.h>

DocumentError::Cause openFailure(TrainingDocument& doc, const std::string& path, std::string* message)
{
    try {
        openDocumentFile(doc, path);
    } catch (const DocumentError& error) {
        if (message)
            *message = error.message();
        return error.cause();
    }
    ADD_FAILURE() << "opening " << path << " succeeded";
    return DocumentError::Cause::Generic;
}

DocumentError::Cause saveFailure(TrainingDocument& doc, const std::string& path)
{
    try {
        saveDocumentFile(doc, path);
    } catch (const DocumentError& error) {
        return error.cause();
    }
    ADD_FAILURE() << "saving " << path << " succeeded";
    return DocumentError::Cause::Generic;
}
