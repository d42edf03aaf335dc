#pragma once

#include "dialogs/entry_logic/phone_record.h"

#include <QDialog>

class DocumentEditor;
class QLabel;
class QLineEdit;

// "Manual data entry from mobile phone": the records of one new measurement,
// typed one at a time. Enter saves the record; only Esc or the close box
// close the dialog. The records of one opening are one step of the undo history.
class PhoneRecordDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_RECORD_CAPTION = 1071;
    static constexpr int IDC_RECORD = 1069;
    static constexpr int IDC_SAVE_RECORD = 1070;

    // Records go to the document's training type at place `type`; with none
    // (-1) they are checked and counted but not stored.
    PhoneRecordDialog(DocumentEditor& editor, int type, std::int32_t measurementNo, QWidget* parent = nullptr);
    ~PhoneRecordDialog() override;

    // The dialog's OK action saves the record instead of closing.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void saveRecord();
    void refuseRecord(const QString& message);

    DocumentEditor& m_editor;
    int m_type;
    PhoneRecordRun m_run; // measurement number, daylight-saving offset, last end, records stored
    QLabel* m_captionLabel;
    QLineEdit* m_edit;
    bool m_initialised = false;
};
