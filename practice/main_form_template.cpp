#include "practice/main_form_template.h"

#include <array>

namespace {

using K = DialogControlKind;
using S = DialogControlStyle;

// Every button and check box of the form is shaded; the check boxes show check marks beside left-aligned text.
constexpr DialogControlStyles kButton = S::Shaded;
constexpr DialogControlStyles kCheckBox = S::Shaded | S::CheckMarks | S::TextLeft;

const std::array kMainForm = {
    DialogControl{1066, K::Custom, 11, 5, 634, 30, ""},
    DialogControl{1068, K::Custom, 17, 11, 316, 20, ""},
    DialogControl{-1, K::GroupBox, 11, 41, 314, 51,
                  "Concentration training style and graphic representation of the meditation intervals"},
    DialogControl{1002, K::ComboBox, 15, 53, 303, 138, ""},
    DialogControl{1057, K::PushButton, 15, 70, 73, 14, "Maximum", kButton},
    DialogControl{1058, K::PushButton, 92, 70, 73, 14, "Average", kButton},
    DialogControl{1059, K::PushButton, 169, 70, 73, 14, "Median", kButton},
    DialogControl{1060, K::PushButton, 246, 70, 73, 14, "Sikkhati", kButton},
    DialogControl{-1, K::GroupBox, 11, 100, 314, 88,
                  "Start measurement times and meditation interval measurement mode"},
    DialogControl{1052, K::Custom, 16, 112, 101, 41, ""},
    DialogControl{-1, K::Label, 121, 140, 73, 20, "Duration of the current meditation interval"},
    DialogControl{1013, K::CheckBox, 205, 111, 114, 13, "Fixed total exercise time", kCheckBox},
    DialogControl{1056, K::Custom, 205, 125, 114, 8, ""},
    DialogControl{1014, K::TimePicker, 205, 133, 52, 15, ""},
    DialogControl{-1, K::Label, 259, 136, 60, 10, "Fixed duration"},
    DialogControl{1007, K::SunkenLabel, 205, 148, 52, 10, " 00:00:00"},
    DialogControl{-1, K::Label, 259, 148, 60, 10, "Total exercise time"},
    DialogControl{1001, K::PushButton, 15, 164, 304, 14,
                  "Start meditation interval measurement mode (also triggered with key F10)", kButton},
    DialogControl{-1, K::GroupBox, 11, 196, 314, 50, "Uddhacca alarm"},
    DialogControl{1010, K::CheckBox, 16, 209, 159, 13, "Automatic udhacca alarm", kCheckBox},
    DialogControl{1012, K::PushButton, 188, 208, 131, 14, "Uddhacca alarm (triggered by F12)", kButton},
    DialogControl{1011, K::TimePicker, 16, 226, 52, 15, ""},
    DialogControl{-1, K::Label, 71, 229, 104, 8, "Time interval for uddhacca alarm"},
    DialogControl{-1, K::GroupBox, 11, 253, 314, 53, "Sound settings and control"},
    DialogControl{1054, K::Custom, 16, 271, 160, 10, ""},
    DialogControl{-1, K::Label, 182, 272, 58, 8, "Volume wave files"},
    DialogControl{1021, K::PushButton, 262, 269, 57, 14, "Sound test", kButton},
    DialogControl{1061, K::Custom, 16, 288, 160, 10, ""},
    DialogControl{-1, K::Label, 182, 290, 42, 8, "Main Volume"},
    DialogControl{1016, K::PushButton, 262, 287, 57, 14, "Choose sounds", kButton},
    DialogControl{-1, K::GroupBox, 332, 41, 314, 265, "Recorded meditation intervals"},
    DialogControl{1023, K::Custom, 337, 53, 303, 195, ""},
    DialogControl{1020, K::CheckBox, 337, 252, 303, 13,
                  "Show only the last measured meditation intervals of this concentration training", kCheckBox},
    DialogControl{1018, K::PushButton, 489, 269, 152, 14, "Delete selected meditation intervals", kButton},
    DialogControl{1009, K::SunkenLabel, 337, 289, 29, 10, "00:00:00"},
    DialogControl{-1, K::Label, 371, 290, 180, 8, "Longest uddhacca-free concentration time last measured"},
};

} // namespace

std::span<const DialogControl> mainFormTemplate()
{
    return kMainForm;
}
