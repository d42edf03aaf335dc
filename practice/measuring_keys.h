#pragma once

#include "practice/physical_key_reader.h"

#include <QObject>

class MeasuringMode;
class QWidget;

// While it exists, Space and Backspace pressed anywhere in the form's window
// work as the left and the right mouse button of the measuring mode, so that
// intervals can be marked without a mouse. A key held down counts once, as a
// held button does; with Shift, Ctrl, Alt or Meta the keys are left alone.
class MeasuringKeys : public QObject {
public:
    // Watches every key of the application until destroyed.
    MeasuringKeys(MeasuringMode& mode, const QWidget& form);
    ~MeasuringKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MeasuringMode& m_mode;
    const QWidget& m_form;
    PhysicalKeyReader m_keys{{Qt::Key_Space, Qt::Key_Backspace}};
};
