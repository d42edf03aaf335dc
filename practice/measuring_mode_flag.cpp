#include "practice/measuring_mode_flag.h"

bool g_bMeasuringMode = false;
