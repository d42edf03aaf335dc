#include "dialogs/dialog_commands.h"

#include "dialogs/interval_filter_dialog.h"
#include "dialogs/manual_entry_dialog.h"
#include "dialogs/phone_record_dialog.h"
#include "records/program_path.h"

#include <ctime>

namespace {

constexpr int kProposedNumber = 1;
constexpr TimeSpan kProposedLength = 20;

void run(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

} // namespace

void openManualEntry(QWidget* view, TrainingDocument& doc, const TrainingType* trainingType,
                     const EntryViewHooks& hooks)
{
    if ((hooks.isMeasuring && hooks.isMeasuring()) || !trainingType)
        return;
    ManualEntryDialog dialog(doc, *trainingType, hooks.addIntervalRow, view);
    const CalendarTime now = std::time(nullptr);
    dialog.m_number = std::to_string(kProposedNumber);
    dialog.m_timeStart = now;
    dialog.m_timeEnd = now + kProposedLength;
    dialog.exec();

    doc.markEdited();
    run(hooks.fillIntervalList);
    run(hooks.refreshDiagrams);
}

void openPhoneRecordEntry(QWidget* view, TrainingDocument& doc, const TrainingType* trainingType,
                          const EntryViewHooks& hooks)
{
    run(hooks.showOnlyLastMeasurement);
    run(hooks.fillIntervalList);
    PhoneRecordDialog dialog(doc, trainingType, hooks.addIntervalRow, doc.maxMeasurementNumber() + 1, view);
    dialog.exec();

    run(hooks.fillIntervalList);
    doc.markEdited();
}

void openIntervalFilter(QWidget* parent, TrainingDocument& doc)
{
    IntervalFilterDialog dialog(parent);
    dialog.m_timeFilter = doc.settings().m_timeFilter;
    if (dialog.exec() != QDialog::Accepted)
        return;
    doc.setFilterTime(dialog.m_timeFilter);
}

void onChooseSounds(QWidget* view, TrainingDocument& doc, const std::function<void()>& loadEventSounds,
                    const PlaySoundFileFn& playFile)
{
    SoundChoiceDialog dialog(playFile, view);
    dialog.m_files = doc.settings().m_soundFiles;
    for (std::size_t i = 0; i < dialog.m_defaultFile.size(); ++i)
        dialog.m_defaultFile[i] = programFilePath(kDefaultSoundFiles[i]);
    if (dialog.exec() != QDialog::Accepted)
        return;
    doc.setSoundFiles(dialog.m_files);
    run(loadEventSounds);
}
