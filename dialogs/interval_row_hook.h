#pragma once

#include "data_entry.h"

#include <functional>

// Shows a record that a dialog has just appended to the current training
// type as a new last row of the main view's interval list.
using AddIntervalRowFn = std::function<void(const CDataEntry& entry)>;
