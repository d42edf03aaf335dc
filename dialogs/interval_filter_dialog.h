#pragma once

#include <QDialog>

class DocumentEditor;
class TimePicker;

// "Interval filter": the time below which the evaluation leaves intervals
// out. It shows the document's filter time; OK stores the one shown.
class IntervalFilterDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_FILTER_TIME = 1040;
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit IntervalFilterDialog(DocumentEditor& editor, QWidget* parent = nullptr);

    void accept() override;

private:
    DocumentEditor& m_editor;
    TimePicker* m_picker;
};
