#pragma once

#include "interval_row_hook.h"
#include "training_type.h"

#include <QDialog>

#include <cstdint>
#include <string>

class CTimePicker;
class QCheckBox;
class QLineEdit;

// "Manual entry of intervals": intervals typed in one by one, each checked
// against the training type's records and appended at once. Closed by Enter,
// Esc or the close box; closing stores nothing further.
class CTestDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IDC_NUMBER = 1042,
        IDC_NUMBER_SPIN = 1049,
        IDC_START_TIME = 1043,
        IDC_END_TIME = 1044,
        IDC_UDDHACCA = 1045,
        IDC_INSERT_INTERVAL = 1046,
    };

    CTestDlg(TrainingType& trainingType, AddIntervalRowFn addIntervalRow, QWidget* parent = nullptr);

    // Exchanged with the controls: written into them when the dialog opens and
    // after an insertion, read from them before the checks.
    std::string m_strNumber;
    CalendarTime m_timeStart = 0;
    CalendarTime m_timeEnd = 0;
    std::int32_t m_bUddhacca = 0;

    void OnInsertInterval();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateData(bool fromControls);

    TrainingType& m_trainingType;
    AddIntervalRowFn m_addIntervalRow;
    QLineEdit* m_pNumber;
    CTimePicker* m_pStart;
    CTimePicker* m_pEnd;
    QCheckBox* m_pUddhacca;
    bool m_bInitialised = false;
};
