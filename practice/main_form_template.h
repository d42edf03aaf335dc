#pragma once

#include "platform/dialog_layout.h"

#include <span>

// Control ids of the main form.
enum MainFormControl {
    IDC_MEASURING_MODE = 1001,
    IDC_TRAINING_TYPE = 1002,
    IDC_TOTAL_TIME = 1007,
    IDC_LONGEST_TIME = 1009,
    IDC_AUTO_ALARM = 1010,
    IDC_ALARM_INTERVAL = 1011,
    IDC_ALARM_BUTTON = 1012,
    IDC_FIXED_TOTAL = 1013,
    IDC_FIXED_DURATION = 1014,
    IDC_CHOOSE_SOUNDS = 1016,
    IDC_DELETE_INTERVALS = 1018,
    IDC_SHOW_LAST = 1020,
    IDC_SOUND_TEST = 1021,
    IDC_INTERVAL_LIST = 1023,
    IDC_INTERVAL_CLOCK = 1052,
    IDC_WAVE_VOLUME = 1054,
    IDC_PROGRESS = 1056,
    IDC_MAXIMUM = 1057,
    IDC_AVERAGE = 1058,
    IDC_MEDIAN = 1059,
    IDC_SIKKHATI = 1060,
    IDC_MAIN_VOLUME = 1061,
    IDC_BANNER = 1066,
    IDC_BANNER_LABEL = 1068,
};

// The main form: 656 x 311 dialog units, "MS Sans Serif" 8 point.
inline constexpr int kMainFormWidth = 656;
inline constexpr int kMainFormHeight = 311;
std::span<const DialogControl> mainFormTemplate();
