#pragma once

#include <QWidget>

class QLineEdit;

// A pair of arrow buttons beside an edit (its buddy): each press, or the Up
// and Down keys in the edit, reads the edit's number, steps it by one within
// the range and writes it back as an integer. The edit still takes any text.
class UpDownButtons : public QWidget {
    Q_OBJECT
public:
    // The range of the desktop's up-down control when none is set.
    static constexpr int kLowest = 0;
    static constexpr int kHighest = 100;

    explicit UpDownButtons(QWidget* parent = nullptr);
    void setBuddy(QLineEdit* buddy);
    void step(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_buddy = nullptr;
    QWidget* m_up;
    QWidget* m_down;
};
