#pragma once

#include "dialogs/entry_logic/phone_record.h"
#include "dialogs/interval_row_hook.h"

#include <QDialog>

#include <string>

class TrainingDocument;
class TrainingType;
class QLabel;
class QLineEdit;

// "Manual data entry from mobile phone": the records of one new measurement,
// typed one at a time. Enter saves the record; only Esc or the close box
// close the dialog.
class PhoneRecordDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_RECORD_CAPTION = 1071;
    static constexpr int IDC_RECORD = 1069;
    static constexpr int IDC_SAVE_RECORD = 1070;

    // trainingType may be none: records are then checked and counted but not stored.
    PhoneRecordDialog(TrainingDocument& document, const TrainingType* trainingType, AddIntervalRowFn addIntervalRow,
                      std::int32_t measurementNo, QWidget* parent = nullptr);

    std::string m_caption;
    std::string m_record;
    PhoneRecordRun m_run; // measurement number, daylight-saving offset, last end, records stored

    void onSaveRecord();
    // The dialog's OK action saves the record instead of closing.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateCaption();
    void updateData(bool fromControls);
    void refuseRecord(const QString& message);

    TrainingDocument& m_document;
    const TrainingType* m_trainingType;
    AddIntervalRowFn m_addIntervalRow;
    QLabel* m_captionLabel;
    QLineEdit* m_edit;
    bool m_initialised = false;
};
