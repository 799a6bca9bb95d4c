// Moves a moment forward by a delay in whole minutes, on the wall clock.
#pragma once

#include "hostapi/win_api.h"

// Adds minutes (0 to 2147483647) to target, first rounding its seconds to the
// nearest minute (31 to 59 round up, 0 to 30 down). Writes wHour and wMinute,
// and the date when midnight is crossed; wDayOfWeek, wSecond and
// wMilliseconds keep what they held. Returns 0, or -1 with target untouched
// when the result would lie after 4000-12-31, when minutes is negative or
// when target's date is not a valid date of 1601 to 4000.
int AddMinutes(int minutes, SYSTEMTIME *target);
