#pragma once

#include "records/calendar_time.h"

#include <QDialog>

#include <string>

class DocumentEditor;
class TimePicker;
class QCheckBox;
class QDateEdit;
class QPushButton;
class QLineEdit;

// "Manual entry of intervals": intervals typed in one by one, each checked
// against the training type's records and appended at once as a step of the
// undo history. Both times are taken on the date of the date field, the end
// on the day after when "next day" is ticked; the next interval proposed
// moves the date on when it passes midnight. Esc or the close box close it;
// closing stores nothing further.
class ManualEntryDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_NUMBER = 1042;
    static constexpr int IDC_NUMBER_SPIN = 1049;
    static constexpr int IDC_START_TIME = 1043;
    static constexpr int IDC_END_TIME = 1044;
    static constexpr int IDC_UDDHACCA = 1045;
    static constexpr int IDC_INSERT_INTERVAL = 1046;
    static constexpr int IDC_DATE = 1050;
    static constexpr int IDC_END_NEXT_DAY = 1051;

    // Intervals go to the document's training type at place `type`.
    ManualEntryDialog(DocumentEditor& editor, int type, QWidget* parent = nullptr);

    // The interval offered: its measurement number as text, start and end;
    // the date field shows the day of the start.
    void propose(const std::string& number, CalendarTime start, CalendarTime end);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // "Insert interval": checks what is typed and appends it, or says why not.
    void insertInterval();
    void showInterval(CalendarTime start, CalendarTime end);

    DocumentEditor& m_editor;
    int m_type;
    QLineEdit* m_numberEdit;
    QDateEdit* m_date;
    TimePicker* m_start;
    TimePicker* m_end;
    QCheckBox* m_endsNextDay;
    QCheckBox* m_uddhaccaBox;
    QPushButton* m_insertButton;
};
