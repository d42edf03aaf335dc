#include "editing/document_editor.h"

#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

TEST(DocumentEditor, StepsAreUndoneAndRedoneOntoWhatChangedSince)
{
    TrainingDocument doc;
    doc.onNewDocument();
    DocumentEditor editor(doc);
    QUndoStack& history = editor.undoStack();
    const CalendarTime filter = makeDuration(0, 1, 0);
    editor.applyStep(
        changedSettings(doc.settings(), [filter](DocumentSettings& settings) { settings.m_timeFilter = filter; }),
        QStringLiteral("change interval filter"));
    // A setting changed on the form afterwards is no step, and undoing the filter keeps it.
    editor.changeSettings([](DocumentSettings& settings) { settings.m_autoUddhaccaAlarm = 1; });
    ASSERT_EQ(history.count(), 1);
    history.undo();
    EXPECT_EQ(doc.settings().m_timeFilter, makeDuration(0, 0, 10));
    EXPECT_EQ(doc.settings().m_autoUddhaccaAlarm, 1);
    history.redo();
    EXPECT_EQ(doc.settings().m_timeFilter, filter);

    // Edits gathered between begin and end are one step; an empty one is left out.
    editor.beginStep();
    editor.endStep(QStringLiteral("add 0 phone records"));
    EXPECT_EQ(history.count(), 1);
    editor.beginStep();
    for (int run = 1; run <= 3; ++run)
        editor.applyStep(AppendInterval{0, record().measurement(1).run(run).from(run * 100).lasting(50)},
                         QStringLiteral("add phone record"));
    editor.endStep(QStringLiteral("add 3 phone records"));
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(history.undoText(), "add 3 phone records");
    doc.setModified(false);
    history.undo();
    EXPECT_EQ(doc.trainingTypes()[0].m_records.size(), 0);
    EXPECT_TRUE(doc.isModified()) << "an undo is an edit like any other";

    // Saving keeps the history; a new or loaded document starts without one.
    doc.markSaved("/saved.con");
    EXPECT_EQ(history.count(), 2);
    doc.announceReset(DocumentReset::Loaded);
    EXPECT_EQ(history.count(), 0);
}
