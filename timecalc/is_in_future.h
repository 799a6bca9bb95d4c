// Whether a target moment lies after LocalNow.
#pragma once

#include "hostapi/win_api.h"

// 1 when target is strictly later than LocalNow, comparing year, month, day,
// hour, minute, second and millisecond in that order; 0 when it is earlier
// or the same moment. wDayOfWeek takes no part.
int IsInFuture(const SYSTEMTIME *target);
