#pragma once

#include "interval_row_hook.h"
#include "phone_record.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;

// "Manual data entry from mobile phone": the records of one new measurement,
// typed one at a time. Enter saves the record; only Esc or the close box
// close the dialog.
class CManualDataDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IDC_RECORD_CAPTION = 1071,
        IDC_RECORD = 1069,
        IDC_SAVE_RECORD = 1070,
    };

    // trainingType may be none: records are then checked and counted but not stored.
    CManualDataDlg(TrainingType* trainingType, AddIntervalRowFn addIntervalRow, std::int32_t measurementNo,
                   QWidget* parent = nullptr);

    std::string m_strCaption;
    std::string m_strRecord;
    CPhoneRecordRun m_run; // measurement number, daylight-saving offset, last end, records stored

    void OnSaveRecord();
    // The dialog's OK action saves the record instead of closing.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateCaption();
    void UpdateData(bool fromControls);
    void RefuseRecord(const QString& message);

    TrainingType* m_pTrainingType;
    AddIntervalRowFn m_addIntervalRow;
    QLabel* m_pCaption;
    QLineEdit* m_pEdit;
    bool m_bInitialised = false;
};
