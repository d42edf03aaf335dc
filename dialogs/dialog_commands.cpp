#include "dialog_commands.h"

#include "interval_filter_dialog.h"
#include "manual_entry_dialog.h"
#include "measuring_mode_flag.h"
#include "phone_record_dialog.h"
#include "program_path.h"

#include <ctime>

namespace {

constexpr int kProposedNumber = 1;
constexpr TimeSpan kProposedLength = 20;

void Run(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

} // namespace

void OpenManualEntry(QWidget* view, CVersenkwerkDoc& doc, TrainingType* trainingType, const EntryViewHooks& hooks)
{
    if (g_bMeasuringMode || !trainingType)
        return;
    CTestDlg dialog(*trainingType, hooks.addIntervalRow, view);
    const CalendarTime now = std::time(nullptr);
    dialog.m_strNumber = std::to_string(kProposedNumber);
    dialog.m_timeStart = now;
    dialog.m_timeEnd = now + kProposedLength;
    dialog.exec();

    doc.SetModifiedFlag();
    Run(hooks.fillIntervalList);
    Run(hooks.refreshDiagrams);
}

void OpenPhoneRecordEntry(QWidget* view, CVersenkwerkDoc& doc, TrainingType* trainingType,
                          const EntryViewHooks& hooks)
{
    Run(hooks.showOnlyLastMeasurement);
    Run(hooks.fillIntervalList);
    CManualDataDlg dialog(trainingType, hooks.addIntervalRow, doc.GetMaxMeasurementNumber() + 1, view);
    dialog.exec();

    Run(hooks.fillIntervalList);
    doc.SetModifiedFlag();
}

void OpenIntervalFilter(QWidget* parent, CVersenkwerkDoc& doc)
{
    CIntervallDlg dialog(parent);
    dialog.m_timeFilter = doc.m_settings.m_timeFilter;
    if (dialog.exec() != QDialog::Accepted)
        return;
    doc.SetModifiedFlag();
    doc.m_settings.m_timeFilter = dialog.m_timeFilter;
}

void OnChooseSounds(QWidget* view, CVersenkwerkDoc& doc, const std::function<void()>& loadEventSounds,
                    const PlaySoundFileFn& playFile)
{
    CChooseSoundDlg dialog(playFile, view);
    dialog.m_strFile = doc.m_settings.m_strSoundFile;
    for (std::size_t i = 0; i < dialog.m_strDefaultFile.size(); ++i)
        dialog.m_strDefaultFile[i] = GetProgramFilePath(kDefaultSoundFiles[i]);
    if (dialog.exec() != QDialog::Accepted)
        return;
    doc.SetModifiedFlag();
    doc.m_settings.m_strSoundFile = dialog.m_strFile;
    Run(loadEventSounds);
}
