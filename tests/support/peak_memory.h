#pragma once

// The process's peak resident memory in KiB (VmHWM), for checks that memory stays bounded.
long peakResidentKib();
// Starts the peak anew from what is resident now.
void resetPeakResident();
