#pragma once

#include "records/interval_record.h"

#include <functional>

// Shows a record that a dialog has just appended to the current training
// type as a new last row of the main view's interval list.
using AddIntervalRowFn = std::function<void(const IntervalRecord& entry)>;
