#pragma once

#include "dialogs/interval_row_hook.h"
#include "dialogs/sound_choice_dialog.h"
#include "records/training_document.h"

#include <functional>

class QWidget;

// What the entry dialogs need from the main view.
struct EntryViewHooks {
    AddIntervalRowFn addIntervalRow;               // addIntervalRow, without a row reference
    std::function<void()> fillIntervalList;        // fillIntervalList
    std::function<void()> refreshDiagrams;         // refreshDiagrams
    std::function<void()> showOnlyLastMeasurement; // ticks check box 1020 without its click handler
    std::function<bool()> isMeasuring;             // whether the measuring mode is on
};

// The view's commands that open the dialogs modally and carry their result
// into the document. The view passes its current training type.

// Ctrl+Alt+D: ignored while measuring and without a current training type.
// Otherwise proposes "1" and now to now + 20 s; after closing, however it
// was closed: modified flag, fillIntervalList, refreshDiagrams.
void openManualEntry(QWidget* view, TrainingDocument& doc, const TrainingType* trainingType,
                     const EntryViewHooks& hooks);

// Double click on the interval list: ticks "Show only the last ...", fills the
// list, takes the records of measurement maxMeasurementNumber() + 1; after
// closing: fillIntervalList, modified flag. Diagrams stay as they are.
void openPhoneRecordEntry(QWidget* view, TrainingDocument& doc, const TrainingType* trainingType,
                          const EntryViewHooks& hooks);

// Options > Interval filter: on OK the modified flag and m_timeFilter; Cancel changes nothing.
void openIntervalFilter(QWidget* parent, TrainingDocument& doc);

// "Choose sounds": on OK the modified flag, the five paths and loadEventSounds;
// Cancel changes nothing. The default paths lie in the program directory.
void onChooseSounds(QWidget* view, TrainingDocument& doc, const std::function<void()>& loadEventSounds,
                    const PlaySoundFileFn& playFile);
