#include "tests/support/sample_practice.h"

#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

void addSamplePractice(TrainingDocument& document)
{
    const TrainingType& type = document.trainingTypes()[0];
    CalendarTime start = makeLocalTime(2026, 12, 6, 6, 30, 0);
    for (int i = 0; i < 14; ++i) {
        const TimeSpan length = 40 + (i * 97) % 400;
        append(document, type,
               record().measurement(i / 6 + 1).run(i % 6 + 1).from(start).lasting(length).uddhacca(i % 4 == 3));
        start += length + 30;
    }
}
