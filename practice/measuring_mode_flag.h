#pragma once

// True while the measuring mode is on; one flag for the whole program.
extern bool g_bMeasuringMode;
