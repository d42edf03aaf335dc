#pragma once

#include "controls/value_control_accessible.h"

class BevelProgressBar;

// The progress bar as a screen reader meets it: a progress bar with its name
// and its value from 0 to 100, which only the program changes.
class BevelProgressBarAccessible : public ValueControlAccessible {
public:
    explicit BevelProgressBarAccessible(BevelProgressBar* bar);

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override { }
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 0; }

protected:
    QString valueText() const override;

private:
    BevelProgressBar* bar() const;
};
