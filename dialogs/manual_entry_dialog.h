#pragma once

#include "dialogs/interval_row_hook.h"
#include "records/training_document.h"

#include <QDialog>

#include <cstdint>
#include <string>

class TimePicker;
class QCheckBox;
class QPushButton;
class QLineEdit;

// "Manual entry of intervals": intervals typed in one by one, each checked
// against the training type's records and appended at once. Closed by Enter,
// Esc or the close box; closing stores nothing further.
class ManualEntryDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_NUMBER = 1042;
    static constexpr int IDC_NUMBER_SPIN = 1049;
    static constexpr int IDC_START_TIME = 1043;
    static constexpr int IDC_END_TIME = 1044;
    static constexpr int IDC_UDDHACCA = 1045;
    static constexpr int IDC_INSERT_INTERVAL = 1046;

    ManualEntryDialog(TrainingDocument& document, const TrainingType& trainingType, AddIntervalRowFn addIntervalRow,
                      QWidget* parent = nullptr);

    // Exchanged with the controls: written into them when the dialog opens and
    // after an insertion, read from them before the checks.
    std::string m_number;
    CalendarTime m_timeStart = 0;
    CalendarTime m_timeEnd = 0;
    std::int32_t m_uddhacca = 0;

    void onInsertInterval();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateData(bool fromControls);

    TrainingDocument& m_document;
    const TrainingType& m_trainingType;
    AddIntervalRowFn m_addIntervalRow;
    QLineEdit* m_numberEdit;
    TimePicker* m_start;
    TimePicker* m_end;
    QCheckBox* m_uddhaccaBox;
    QPushButton* m_insertButton;
    bool m_initialised = false;
};
