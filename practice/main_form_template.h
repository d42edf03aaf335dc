#pragma once

#include "platform/dialog_layout.h"

#include <span>

// Control ids of the main form.
inline constexpr int IDC_MEASURING_MODE = 1001;
inline constexpr int IDC_TRAINING_TYPE = 1002;
inline constexpr int IDC_TOTAL_TIME = 1007;
inline constexpr int IDC_LONGEST_TIME = 1009;
inline constexpr int IDC_AUTO_ALARM = 1010;
inline constexpr int IDC_ALARM_INTERVAL = 1011;
inline constexpr int IDC_ALARM_BUTTON = 1012;
inline constexpr int IDC_FIXED_TOTAL = 1013;
inline constexpr int IDC_FIXED_DURATION = 1014;
inline constexpr int IDC_CHOOSE_SOUNDS = 1016;
inline constexpr int IDC_DELETE_INTERVALS = 1018;
inline constexpr int IDC_SHOW_LAST = 1020;
inline constexpr int IDC_SOUND_TEST = 1021;
inline constexpr int IDC_INTERVAL_LIST = 1023;
inline constexpr int IDC_INTERVAL_CLOCK = 1052;
inline constexpr int IDC_WAVE_VOLUME = 1054;
inline constexpr int IDC_PROGRESS = 1056;
inline constexpr int IDC_MAXIMUM = 1057;
inline constexpr int IDC_AVERAGE = 1058;
inline constexpr int IDC_MEDIAN = 1059;
inline constexpr int IDC_SIKKHATI = 1060;
inline constexpr int IDC_MAIN_VOLUME = 1061;
inline constexpr int IDC_BANNER = 1066;
inline constexpr int IDC_BANNER_LABEL = 1068;

// The main form: 656 x 311 dialog units, "MS Sans Serif" 8 point.
inline constexpr int kMainFormWidth = 656;
inline constexpr int kMainFormHeight = 311;
std::span<const DialogControl> mainFormTemplate();
